#pragma once
// A list of text lines: what a list box holds. The engines fill and read it;
// a Qt model (platform/qt) shows it. Observers hear of every change so a view
// can follow without copying the lines.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

class LineList {
public:
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void aboutToReset() = 0;
        virtual void didReset() = 0;
        virtual void aboutToInsert(std::size_t index, std::size_t count) = 0;
        virtual void didInsert() = 0;
        virtual void aboutToRemove(std::size_t index, std::size_t count) = 0;
        virtual void didRemove() = 0;
        virtual void didChange(std::size_t index) = 0;
    };

    // Orders two lines for a sorted list. The default compares bytes.
    using Compare = std::function<bool(const std::string&, const std::string&)>;

    LineList() = default;
    LineList(const LineList&) = delete;
    LineList& operator=(const LineList&) = delete;

    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    const std::string& at(std::size_t index) const { return lines_.at(index); }
    const std::vector<std::string>& lines() const { return lines_; }
    // Changes on every edit; lets caches built over the lines know they are stale.
    std::uint64_t revision() const { return revision_; }

    void clear();
    // Appends, or inserts in order when the list is sorted. Returns the index.
    std::size_t add(std::string line);
    void insert(std::size_t index, std::string line);
    void remove(std::size_t index);
    void set(std::size_t index, std::string line);
    // Replaces all lines at once (one reset for the view, however many lines).
    void assign(std::vector<std::string> lines);
    // Appends many lines with one notification.
    void append(std::vector<std::string> lines);
    // Deletes every line the predicate holds for, with one notification; the
    // other lines keep their order (a sorted list is not sorted again, as
    // deleting from a list box moves nothing). Returns how many went.
    std::size_t removeIf(const std::function<bool(const std::string&)>& doomed);

    bool sorted() const { return sorted_; }
    // A sorted list keeps its lines in order of `compare`; switching it on sorts them.
    void setSorted(bool sorted, Compare compare = {});

    void addObserver(Observer* observer);
    void removeObserver(Observer* observer);

private:
    std::size_t sortedPosition(const std::string& line) const;
    bool less(const std::string& a, const std::string& b) const;

    std::vector<std::string> lines_;
    std::vector<Observer*> observers_;
    std::uint64_t revision_ = 0;
    bool sorted_ = false;
    Compare compare_;
};

} // namespace platform
