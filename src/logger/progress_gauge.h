// The model behind the progress dialogs' gauges: a count toward a maximum
// that never runs past it.
#pragma once

#include <algorithm>

class ProgressGauge {
public:
    static constexpr int kDefaultMax = 100;

    int max() const { return max_; }
    int progress() const { return progress_; }
    bool full() const { return progress_ == max_; }

    // A maximum of 0 (or less) is not applied: the gauge keeps the one it had.
    void setMax(int max)
    {
        if (max <= 0)
            return;
        max_ = max;
        progress_ = std::min(progress_, max_);
    }
    void setProgress(int progress) { progress_ = std::clamp(progress, 0, max_); }
    void advance(int by = 1) { setProgress(progress_ + by); }
    void fill() { progress_ = max_; }

private:
    int max_ = kDefaultMax;
    int progress_ = 0;
};
