// The model behind the progress dialogs' gauges: a count toward a maximum
// that never runs past it.
#pragma once

#include <algorithm>
#include <functional>

class ProgressGauge {
public:
    static constexpr int kDefaultMax = 100;

    int max() const { return max_; }
    int progress() const { return progress_; }
    bool full() const { return progress_ == max_; }

    // A maximum of 0 (or less) is not applied: the gauge keeps the one it had.
    void setMax(int max)
    {
        if (max > 0)
            set(max, std::min(progress_, max));
    }
    void setProgress(int progress) { set(max_, std::clamp(progress, 0, max_)); }
    void advance(int by = 1) { setProgress(progress_ + by); }
    void fill() { set(max_, max_); }
    void reset() { set(kDefaultMax, 0); }

    // Told after the maximum or the progress changed; the widget showing the gauge listens.
    std::function<void()> onChanged;

private:
    void set(int max, int progress)
    {
        if (max == max_ && progress == progress_)
            return;
        max_ = max;
        progress_ = progress;
        if (onChanged)
            onChanged();
    }

    int max_ = kDefaultMax;
    int progress_ = 0;
};
