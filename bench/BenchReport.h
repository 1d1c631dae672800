// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace corvane::bench {

// Times of repeated runs, in microseconds.
class Samples {
public:
    void add(double microseconds) { values_.push_back(microseconds); }
    bool isEmpty() const { return values_.empty(); }
    std::size_t size() const { return values_.size(); }

    // The value below which the given fraction of the runs fall (0.5: the median).
    double quantile(double fraction) const
    {
        if (values_.empty())
            return 0;
        std::vector<double> sorted = values_;
        std::sort(sorted.begin(), sorted.end());
        const auto index = static_cast<std::size_t>(fraction * double(sorted.size() - 1) + 0.5);
        return sorted[std::min(index, sorted.size() - 1)];
    }
    double median() const { return quantile(0.5); }

private:
    std::vector<double> values_;
};

// Runs `body` `runs` times after `warmUp` untimed runs and returns each run's time.
inline Samples timeRuns(int warmUp, int runs, const std::function<void()>& body)
{
    using Clock = std::chrono::steady_clock;
    for (int i = 0; i < warmUp; ++i)
        body();
    Samples samples;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        body();
        samples.add(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    return samples;
}

// The lines scripts/bench turns into docs/PERFORMANCE.md, one figure or note each:
//   FIGURE|<what>|<measured>|<target>|<met: yes, no or n/a>
//   NOTE|<text>
inline void figure(const QString& what, const QString& measured, const QString& target,
                   std::optional<bool> met)
{
    const char* verdict = !met ? "n/a" : (*met ? "yes" : "no");
    std::printf("FIGURE|%s|%s|%s|%s\n", qPrintable(what), qPrintable(measured), qPrintable(target),
                verdict);
    std::fflush(stdout);
}

inline void note(const QString& text)
{
    std::printf("NOTE|%s\n", qPrintable(text));
    std::fflush(stdout);
}

inline QString micros(double value)
{
    return QStringLiteral("%1 µs").arg(value, 0, 'f', value < 10 ? 2 : 1);
}

inline QString millis(double microseconds)
{
    const double ms = microseconds / 1000.0;
    return QStringLiteral("%1 ms").arg(ms, 0, 'f', ms < 10 ? 2 : 1);
}

} // namespace corvane::bench
