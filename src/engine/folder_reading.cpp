#include "engine/folder_reading.h"

namespace quorvane {

namespace {

// Past this level every folder is asked which it is, whatever the mount table said: a mount
// made during the walk, which the table read at its start does not show, then cannot make the
// walk endless. One level in kDeepStride is enough for that: below a mount that leads back up,
// the same folders come again and again, so two of those levels soon hold the same folder.
constexpr int kDeepestUnasked = 64;
constexpr int kDeepStride = 16;

// Which folder a subfolder is, as its parent's listing tells it where it does (Windows): its
// file number on its parent's volume. Not for a link, whose listed number is the link's own.
std::optional<FolderIdentity> listedIdentity(const FolderNode& node) {
    const FolderNode* parent = node.parent.get();
    if (!parent || !parent->identity || parent->contents.throughLink(node.indexInParent)) {
        return std::nullopt;
    }
    const std::uint64_t number = parent->contents.fileNumber(node.indexInParent);
    if (number == 0) return std::nullopt;
    return FolderIdentity{parent->identity->device, number};
}

}  // namespace

void FolderReading::prepareTarget(FolderNode& target) const {
    target.towardMount = mounts_.leadsToMountPoint("");
    target.needsIdentity = mounts_.everyFolder();
}

std::shared_ptr<FolderNode> FolderReading::subfolderNode(
    const std::shared_ptr<const FolderNode>& parent, size_t i) const {
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
    node->needsIdentity =
        node->belowLink || mountPoint || mounts_.everyFolder() || (volume_ && !volumeByKernel_);
    node->deepGuard = !node->needsIdentity && mounts_.onPlainFolders() &&
                      node->level > kDeepestUnasked && node->level % kDeepStride == 0;
    return node;
}

SubfolderOpening FolderReading::openingOf(const FolderNode& node) const {
    const bool throughLink = node.parent->contents.throughLink(node.indexInParent);
    // A link is followed wherever it leads, as a folder target would be; its device is asked.
    return {throughLink, volume_ && volumeByKernel_ && !throughLink};
}

bool FolderReading::identifyAndCheckVolume(FolderNode& node, const HeldFolder& held,
                                           bool refused) const {
    if ((node.needsIdentity || node.deepGuard || refused) && !node.identity) {
        node.identity = refused ? std::nullopt : listedIdentity(node);
        if (!node.identity) node.identity = IdentityOf(held);
    }
    // Only a folder whose identity was asked can lie on another volume; one whose identity
    // cannot be read is read all the same, and its read says why it fails.
    node.otherVolume = volume_ && node.identity && node.identity->device != *volume_;
    return node.otherVolume;
}

void FolderReading::read(FolderNode& node, const HeldFolder& held, YieldHook* yield,
                         WaitMeter* meter) const {
    // The target's, which its subfolders' listed identities start from.
    if (node.needsIdentity && !node.identity) node.identity = IdentityOf(held);
    const bool byPath = rules_.exclude && rules_.exclude->needsPath();
    const std::string prefix = byPath ? RelativePathOf(node) : std::string();
    node.status = ReadSubfolders(held, node.contents, {yield, &rules_, prefix, meter});
}

}  // namespace quorvane
