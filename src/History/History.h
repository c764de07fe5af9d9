// A short list of recently used texts, most recent first, announcing every change.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace History {

class TCustomIniFile;

class THistory {
public:
    using TNotifyEvent = std::function<void(THistory& sender)>;

    THistory() = default;
    virtual ~THistory() = default;
    THistory(const THistory&) = delete;
    THistory& operator=(const THistory&) = delete;

    int MaxItems() const { return maxItems_; }
    // Lowering it below Count drops the oldest entries and notifies once; the handler still
    // reads the old maximum.
    void SetMaxItems(int value);

    bool IfExistsPlaceFirst() const { return ifExistsPlaceFirst_; }
    void SetIfExistsPlaceFirst(bool value) { ifExistsPlaceFirst_ = value; }

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

    // Puts the text first, or moves the entry that matches it regardless of letter case to
    // the front keeping its stored spelling. Notifies unless the text is empty.
    void Add(const std::string& text);
    int Count() const { return static_cast<int>(items_.size()); }
    // The entries, most recent first.
    const std::vector<std::string>& Items() const { return items_; }
    // Raises Exception "Index out of bounds (<index>)" outside 0..Count-1.
    std::string Item(int index) const;

    // Appends the entries of an older list behind this one's, skipping those it already holds,
    // while there is room; notifies when it appended any.
    void AppendOlder(const THistory& older);

    // The notification: calls OnChange with this history, if set.
    virtual void Change();

    // Keys "0" to MaxItems-1 of the section, empty and missing ones skipped; notifies at the
    // end, also when reading fails part-way.
    void LoadFromIni(TCustomIniFile* ini, const std::string& section);
    // Replaces the section by keys "0" to Count-1; does not notify.
    void SaveToIni(TCustomIniFile* ini, const std::string& section);
    // Through a settings file made for the path and released afterwards (Windows only).
    void LoadFromIniFile(const std::string& path, const std::string& section);
    void SaveToIniFile(const std::string& path, const std::string& section);

private:
    // Drops the oldest entries beyond limit; whether any went.
    bool TrimTo(int limit);

    int maxItems_ = 5;
    std::vector<std::string> items_;
    bool ifExistsPlaceFirst_ = true;
    TNotifyEvent onChange_;
};

} // namespace History
