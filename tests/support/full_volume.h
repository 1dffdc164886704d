#pragma once

#include <string>

namespace quorvane::test {

// POSIX only: mounts a small file system on the empty folder `folder` and fills it, so that every
// write there fails for want of space while new empty files can still be made. The mount lives in a
// mount namespace of the calling process's own: call it only in a child (RunInChild), so
// nothing stays mounted whatever happens. False when the process may not mount.
bool MountFullVolume(const std::string& folder);

}  // namespace quorvane::test
