#pragma once
// The flap settings shown on the charts and in the verdict: no flaps, 1, 2, 3, in the
// toolbar's button order. The only way from the toolbar's buttons to a set is
// FromMarks: a marked button hides its setting.
#include <array>

class FlapSet {
public:
    static constexpr int kSettings = 4;

    constexpr FlapSet() = default;  // nothing shown
    // As the window starts: no flaps alone.
    static constexpr FlapSet NoFlaps() { return FlapSet().With(0); }
    static constexpr FlapSet All() { return FlapSet().With(0).With(1).With(2).With(3); }
    // From the four flap buttons: a marked button hides its setting.
    static constexpr FlapSet FromMarks(const std::array<bool, kSettings> &marked)
    {
        FlapSet s;
        for (int f = 0; f < kSettings; ++f)
            s.shown_[f] = !marked[f];
        return s;
    }

    constexpr bool Shows(int flap) const { return flap >= 0 && flap < kSettings && shown_[flap]; }
    // The same set with `flap` shown, or hidden.
    constexpr FlapSet With(int flap, bool shown = true) const
    {
        FlapSet s = *this;
        s.shown_[flap] = shown;
        return s;
    }
    constexpr bool Empty() const { return !shown_[0] && !shown_[1] && !shown_[2] && !shown_[3]; }
    friend constexpr bool operator==(const FlapSet &, const FlapSet &) = default;

private:
    std::array<bool, kSettings> shown_{};
};
