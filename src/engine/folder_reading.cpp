#include "engine/folder_reading.h"

#include "engine/folder_access.h"

namespace quorvane {

namespace {

// Past this level every folder is asked which it is, whatever the mount table said: a mount
// made during the walk, which the table read at its start does not show, then cannot make the
// walk endless.
constexpr int kDeepestUnasked = 64;

}  // namespace

void FolderReading::prepareTarget(FolderNode& target) const {
    target.towardMount = mounts_.leadsToMountPoint("");
    target.needsIdentity = mounts_.everyFolder();
}

std::shared_ptr<FolderNode> FolderReading::subfolderNode(const std::shared_ptr<FolderNode>& parent,
                                                         size_t i) const {
    auto node = std::make_shared<FolderNode>();
    node->parent = parent;
    node->indexInParent = i;
    node->level = parent->level + 1;
    node->belowLink = parent->belowLink || parent->contents.throughLink(i);
    bool mountPoint = false;
    if (parent->towardMount) {
        const std::string path = RelativePathOf(*node);
        mountPoint = mounts_.isMountPoint(path);
        node->towardMount = mounts_.leadsToMountPoint(path);
    }
    node->needsIdentity = node->belowLink || mountPoint || mounts_.everyFolder() ||
                          (mounts_.onPlainFolders() && node->level > kDeepestUnasked);
    return node;
}

bool FolderReading::identifyAndCheckVolume(FolderNode& node) const {
    if (node.needsIdentity && !node.identity) node.identity = IdentityOf(node.held);
    // Only a folder whose identity was needed can lie on another volume; one whose identity
    // cannot be read is read all the same, and its read says why it fails.
    node.otherVolume = volume_ && node.identity && node.identity->device != *volume_;
    return node.otherVolume;
}

void FolderReading::read(FolderNode& node, YieldHook* yield, WaitMeter* meter) const {
    const bool byPath = rules_.exclude && rules_.exclude->needsPath();
    const std::string prefix = byPath ? RelativePathOf(node) : std::string();
    node.status = ReadSubfolders(node.held, node.contents, {yield, &rules_, prefix, meter});
}

}  // namespace quorvane
