#include "engine/list_emitter.h"

#include "engine/path_rules.h"

namespace quorvane {

void ListEmitter::block(const BlockRecord& record) {
    takeFactsOfSubfolders(record);
    const NameList& names = record.names;
    for (size_t i = 0; i < names.count(); ++i) {
        yieldTo(yield_);
        FormSubfolderEntry(entry_, record.folderPath, names.name(i));
        const FolderFacts* facts = i < subfolderFacts_.size() ? subfolderFacts_[i] : nullptr;
        sink_.append({entry_, record.level + 1, facts});
        if (sink_.stopped()) return;
    }
    if (!record.facts) return;
    FolderFacts facts = *record.facts;
    if (totals_) {
        for (const Waiting& below : taken_)
            facts.addBelow(below.facts);
    }
    waiting_.push_back({record.level, record.indexInParent, facts});
}

// The subfolders' blocks came before this one, each after everything below it, so those still
// waiting one level down are all this folder's, in their order.
void ListEmitter::takeFactsOfSubfolders(const BlockRecord& record) {
    taken_.clear();
    subfolderFacts_.clear();
    size_t first = waiting_.size();
    while (first > 0 && waiting_[first - 1].level > record.level)
        --first;
    for (size_t k = first; k < waiting_.size(); ++k) {
        if (waiting_[k].level == record.level + 1) taken_.push_back(waiting_[k]);
    }
    waiting_.resize(first);
    if (taken_.empty()) return;
    subfolderFacts_.assign(record.names.count(), nullptr);
    for (const Waiting& below : taken_) {
        if (below.indexInParent < subfolderFacts_.size()) {
            subfolderFacts_[below.indexInParent] = &below.facts;
        }
    }
}

}  // namespace quorvane
