#include "History/History.h"

#include <algorithm>
#include <cstddef>

#include "shared/SameText.h"
#include "shared/Exceptions.h"

namespace History {

bool THistory::TrimTo(int limit) {
    // A negative maximum keeps nothing rather than looping forever.
    const std::size_t keep = limit > 0 ? static_cast<std::size_t>(limit) : 0;
    if (items_.size() <= keep) {
        return false;
    }
    items_.resize(keep);
    return true;
}

void THistory::SetMaxItems(int value) {
    if (value == maxItems_) {
        return;
    }
    if (TrimTo(value)) {
        Change();
    }
    maxItems_ = value;
}

void THistory::Add(const std::string& text) {
    if (text.empty()) {
        return;
    }
    std::size_t found = 0;
    while (found < items_.size() && !shared::SameText(items_[found], text)) {
        ++found;
    }
    if (found == items_.size()) {
        items_.insert(items_.begin(), text);
        TrimTo(maxItems_);
    } else if (ifExistsPlaceFirst_ && found > 0) {
        std::string entry = std::move(items_[found]);
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(found));
        items_.insert(items_.begin(), std::move(entry));
    }
    Change();
}

void THistory::AppendOlder(const THistory& older) {
    bool appended = false;
    for (const std::string& entry : older.items_) {
        if (maxItems_ >= 0 && items_.size() >= static_cast<std::size_t>(maxItems_))
            break;
        const bool held = std::any_of(items_.begin(), items_.end(), [&](const std::string& e) {
            return shared::SameText(e, entry);
        });
        if (!held) {
            items_.push_back(entry);
            appended = true;
        }
    }
    if (appended)
        Change();
}

std::string THistory::Item(int index) const {
    if (index < 0 || index >= Count()) {
        throw shared::Exception("Index out of bounds (" + std::to_string(index) + ")");
    }
    return items_[static_cast<std::size_t>(index)];
}

void THistory::Change() {
    // A copy, so a handler may replace or clear OnChange while it runs.
    const TNotifyEvent handler = onChange_;
    if (handler) {
        handler(*this);
    }
}

} // namespace History
