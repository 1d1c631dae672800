// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windows/MonotonicClock.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>

namespace corvane {

// A cache whose entries live a fixed time. Entries form a list in insertion order, which is also
// the order of expiry, so a purge stops at the first live entry; purges run at most once every
// ten seconds and only when a value is set, so lookups stay constant-time.
template <typename Key, typename Value, typename Hash = std::hash<Key>> class TimeoutCache {
public:
    static constexpr std::uint64_t timeout = 100;
    static constexpr std::uint64_t purgeInterval = 10'000;

    explicit TimeoutCache(MillisecondClock clock = uptimeMilliseconds) : clock_(std::move(clock)) {}
    TimeoutCache(const TimeoutCache&) = delete;
    TimeoutCache& operator=(const TimeoutCache&) = delete;

    // The value when an entry exists and has not expired (an entry is live up to and including
    // its expiry millisecond). Never purges.
    std::optional<Value> value(const Key& key) const
    {
        const auto it = cache_.find(key);
        if (it == cache_.end() || it->second->expirationTimestamp < clock_())
            return std::nullopt;
        return it->second->value;
    }

    // Stores the value with a fresh expiry at the tail; no value only removes the key.
    void set(const Key& key, std::optional<Value> value)
    {
        remove(key);
        const std::uint64_t now = clock_();
        if (purgeRestrictionExpirationTimestamp_ < now) {
            while (head_ && head_->expirationTimestamp < now)
                remove(head_->key);
            purgeRestrictionExpirationTimestamp_ = now + purgeInterval;
        }
        if (!value)
            return;
        auto entry = std::make_unique<Entry>(Entry{key, std::move(*value), now + timeout});
        Entry* raw = entry.get();
        raw->previous = tail_;
        if (tail_)
            tail_->next = raw;
        else
            head_ = raw;
        tail_ = raw;
        cache_.emplace(key, std::move(entry));
    }

    void remove(const Key& key)
    {
        const auto it = cache_.find(key);
        if (it == cache_.end())
            return;
        Entry* entry = it->second.get();
        if (entry == tail_)
            tail_ = entry->previous;
        if (entry == head_)
            head_ = entry->next;
        if (entry->previous)
            entry->previous->next = entry->next;
        if (entry->next)
            entry->next->previous = entry->previous;
        cache_.erase(it);
    }

    std::size_t size() const { return cache_.size(); }
    std::optional<Key> headKey() const { return head_ ? std::optional(head_->key) : std::nullopt; }
    std::optional<Key> tailKey() const { return tail_ ? std::optional(tail_->key) : std::nullopt; }
    std::optional<std::uint64_t> expiration(const Key& key) const
    {
        const auto it = cache_.find(key);
        return it == cache_.end() ? std::nullopt : std::optional(it->second->expirationTimestamp);
    }

private:
    struct Entry {
        Key key;
        Value value;
        std::uint64_t expirationTimestamp = 0;
        Entry* previous = nullptr;
        Entry* next = nullptr;
    };

    MillisecondClock clock_;
    Entry* head_ = nullptr;
    Entry* tail_ = nullptr;
    std::unordered_map<Key, std::unique_ptr<Entry>, Hash> cache_;
    std::uint64_t purgeRestrictionExpirationTimestamp_ = 0;
};

} // namespace corvane
