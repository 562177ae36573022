#include "line_list.h"

#include <algorithm>
#include <stdexcept>

namespace platform {

void LineList::clear()
{
    assign({});
}

bool LineList::less(const std::string& a, const std::string& b) const
{
    return compare_ ? compare_(a, b) : a < b;
}

std::size_t LineList::sortedPosition(const std::string& line) const
{
    auto it = std::upper_bound(lines_.begin(), lines_.end(), line,
                               [this](const std::string& a, const std::string& b) { return less(a, b); });
    return static_cast<std::size_t>(it - lines_.begin());
}

std::size_t LineList::add(std::string line)
{
    std::size_t index = sorted_ ? sortedPosition(line) : lines_.size();
    insert(index, std::move(line));
    return index;
}

void LineList::insert(std::size_t index, std::string line)
{
    if (index > lines_.size())
        throw std::out_of_range("LineList::insert");
    for (auto* o : observers_) o->aboutToInsert(index, 1);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
    ++revision_;
    for (auto* o : observers_) o->didInsert();
}

void LineList::remove(std::size_t index)
{
    if (index >= lines_.size())
        throw std::out_of_range("LineList::remove");
    for (auto* o : observers_) o->aboutToRemove(index, 1);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    ++revision_;
    for (auto* o : observers_) o->didRemove();
}

void LineList::set(std::size_t index, std::string line)
{
    lines_.at(index) = std::move(line);
    ++revision_;
    for (auto* o : observers_) o->didChange(index);
}

void LineList::assign(std::vector<std::string> lines)
{
    for (auto* o : observers_) o->aboutToReset();
    lines_ = std::move(lines);
    if (sorted_)
        std::stable_sort(lines_.begin(), lines_.end(),
                         [this](const std::string& a, const std::string& b) { return less(a, b); });
    ++revision_;
    for (auto* o : observers_) o->didReset();
}

std::size_t LineList::removeIf(const std::function<bool(const std::string&)>& doomed)
{
    auto first = std::find_if(lines_.begin(), lines_.end(), doomed);
    if (first == lines_.end())
        return 0;
    for (auto* o : observers_) o->aboutToReset();
    auto end = std::remove_if(first, lines_.end(), doomed);
    const auto removed = static_cast<std::size_t>(lines_.end() - end);
    lines_.erase(end, lines_.end());
    ++revision_;
    for (auto* o : observers_) o->didReset();
    return removed;
}

void LineList::append(std::vector<std::string> lines)
{
    if (lines.empty())
        return;
    if (sorted_) {
        std::vector<std::string> all = lines_;
        all.insert(all.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
        assign(std::move(all));
        return;
    }
    std::size_t first = lines_.size();
    for (auto* o : observers_) o->aboutToInsert(first, lines.size());
    lines_.insert(lines_.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    ++revision_;
    for (auto* o : observers_) o->didInsert();
}

void LineList::setSorted(bool sorted, Compare compare)
{
    sorted_ = sorted;
    if (compare)
        compare_ = std::move(compare);
    if (sorted_) {
        std::vector<std::string> copy = std::move(lines_);
        lines_.clear();
        assign(std::move(copy));
    }
}

void LineList::addObserver(Observer* observer)
{
    observers_.push_back(observer);
}

void LineList::removeObserver(Observer* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

} // namespace platform
