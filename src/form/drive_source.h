#pragma once

#include <vector>

#include "engine/drive_list.h"

namespace quorvane {

// Where the drive list and the runs over drives get the computer's drives from.
class DriveSource {
  public:
    virtual ~DriveSource() = default;
    virtual std::vector<Drive> drives() = 0;
};

// The drives of this computer, asked afresh at each call.
class SystemDriveSource : public DriveSource {
  public:
    std::vector<Drive> drives() override { return ListDrives(); }
};

}  // namespace quorvane
