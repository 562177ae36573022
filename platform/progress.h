#pragma once
// Progress of a long operation: a 0-100 bar in a window that the operation
// opens, moves and closes. Engines drive a ProgressSink; the programs give
// them the progress window, tests a recorder.
#include <cstdint>
#include <vector>

namespace platform {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Opens the window with the bar at 0.
    virtual void start() = 0;
    virtual void set(int percent) = 0;
    // Bar to 100, a 1 ms pause, the window closed.
    virtual void finish() = 0;
};

class NullProgress : public ProgressSink {
public:
    void start() override {}
    void set(int) override {}
    void finish() override {}
};

class RecordingProgress : public ProgressSink {
public:
    void start() override { ++starts; values.push_back(0); }
    void set(int percent) override { values.push_back(percent); }
    void finish() override { ++finishes; values.push_back(100); }
    int starts = 0;
    int finishes = 0;
    std::vector<int> values;
};

// Counts units of work and moves the bar at the first unit and at every
// `stride`-th, to the truncated 100 x done / total. While the total is 0 the
// bar keeps its last value. `base` and `scale` map the fraction into a part
// of the bar (a two-pass operation fills each half).
class ProgressCounter {
public:
    explicit ProgressCounter(ProgressSink& sink, unsigned stride = 20, double base = 0, double scale = 1)
        : sink_(sink), stride_(stride), base_(base), scale_(scale) {}

    // Counts a unit; returns true when the bar was due (and set).
    bool unit(std::uint64_t done, std::uint64_t total)
    {
        ++count_;
        if (count_ != 1 && count_ % stride_ != 0)
            return false;
        report(done, total);
        return true;
    }
    // Sets the bar now, without counting.
    void report(std::uint64_t done, std::uint64_t total)
    {
        if (total > 0)
            last_ = static_cast<int>(base_ + scale_ * (100.0 * static_cast<double>(done) / static_cast<double>(total)));
        sink_.set(last_);
    }
    std::uint64_t count() const { return count_; }
    void setCount(std::uint64_t count) { count_ = count; }
    void setRange(double base, double scale) { base_ = base; scale_ = scale; }

private:
    ProgressSink& sink_;
    unsigned stride_;
    double base_;
    double scale_;
    std::uint64_t count_ = 0;
    int last_ = 0;
};

} // namespace platform
