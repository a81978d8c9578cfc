#include "game/Statistics.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "game/GameState.h"
#include "game/Settings.h"
#include "game/Store.h"

namespace {

constexpr const char* StatsName = "Stats";
constexpr const char* AsideName = "StatsUnreadable";
constexpr int AsideSlots = 9;
constexpr const char* Version = "1";
constexpr size_t FixedFields = 8;  // before the won games by rows

// What this run played in one entry since it last looked at the store:
// the counts to add, and how its games run, so the runs come out as if
// the games had been played one after another on top of the stored ones.
struct PendingEntry {
    TSettingStats Counts;  // counters only; its runs are unused
    uint32_t Head = 0;     // wins before this run's first game not won
    bool Broken = false;   // a game not won came since the store was read
    uint32_t Tail = 0;     // wins since the last game not won (when Broken)
    uint32_t BestAfter = 0;  // the longest run after the first game not won
};

struct Pending {
    Array1<PendingEntry, 13> Of{};
};

TStatistics Synced;        // the store's statistics as this run last read or wrote them
Pending Unstored;          // this run's games since then
bool ClearWanted = false;  // a clearing the store refused, to be stored next time

uint32_t Add32(uint32_t a, uint64_t b) { return uint32_t(std::min<uint64_t>(uint64_t(a) + b, UINT32_MAX)); }

TSettingStats Apply(const TSettingStats& base, const PendingEntry& p) {
    TSettingStats s = base;
    const TSettingStats& c = p.Counts;
    s.Won = Add32(s.Won, c.Won);
    s.Lost = Add32(s.Lost, c.Lost);
    s.GivenUp = Add32(s.GivenUp, c.GivenUp);
    s.HintWon = Add32(s.HintWon, c.HintWon);
    s.WonRows += c.WonRows;
    s.WonSeconds += c.WonSeconds;
    for (size_t r = 1; r <= 12; ++r) s.ByRows[r] = Add32(s.ByRows[r], c.ByRows[r]);
    const uint32_t joined = Add32(base.CurrentRun, p.Head);  // the stored run carried on by this run's first wins
    s.CurrentRun = p.Broken ? p.Tail : joined;
    s.BestRun = std::max({base.BestRun, joined, p.BestAfter});
    return s;
}

TStatistics Apply(const TStatistics& base, const Pending& p) {
    TStatistics s;
    for (size_t i = 1; i <= StatsAllTogether; ++i) s.Of[i] = Apply(base.Of[i], p.Of[i]);
    return s;
}

void Note(PendingEntry& p, GameEnd end, int rows, int seconds, bool hint) {
    TSettingStats& c = p.Counts;
    if (end == GameEnd::Won) {
        ++c.Won;
        if (hint) ++c.HintWon;
        const int r = std::clamp(rows, 1, 12);
        c.WonRows += uint64_t(r);
        c.WonSeconds += uint64_t(std::clamp(seconds, 0, int(MaxElapsedTime)));  // as the timer counts
        ++c.ByRows[size_t(r)];
        if (p.Broken) {
            p.BestAfter = std::max(p.BestAfter, ++p.Tail);
        } else {
            ++p.Head;
        }
        return;
    }
    if (end == GameEnd::Lost) ++c.Lost;
    if (end == GameEnd::GivenUp) ++c.GivenUp;
    p.Broken = true;
    p.Tail = 0;
}

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
    if (text.empty() || text.size() > 20 || text[0] == '+' || text[0] == '-') return false;
    if (text.size() > 1 && text[0] == '0') return false;  // written without leading zeros
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size();
}

std::vector<std::string> Split(const std::string& text, char by) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(by, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

// The counts of one entry agree with each other as a game makes them.
bool Sound(const TSettingStats& s) {
    uint64_t byRows = 0, rows = 0;
    for (size_t r = 1; r <= 12; ++r) {
        byRows += s.ByRows[r];
        rows += uint64_t(r) * s.ByRows[r];
    }
    return byRows == s.Won && rows == s.WonRows && s.WonSeconds <= uint64_t(MaxElapsedTime) * s.Won &&
           s.HintWon <= s.Won && s.CurrentRun <= s.BestRun && s.BestRun <= s.Won;
}

std::optional<TSettingStats> DecodeEntry(const std::string& fields) {
    const std::vector<std::string> n = Split(fields, ',');
    if (n.size() < FixedFields || n.size() > FixedFields + 12) return std::nullopt;
    TSettingStats s;
    uint32_t* counts[] = {&s.Won, &s.Lost, &s.GivenUp, &s.HintWon};
    for (size_t i = 0; i < 4; ++i)
        if (!ParseNumber(n[i], *counts[i])) return std::nullopt;
    if (!ParseNumber(n[4], s.WonRows) || !ParseNumber(n[5], s.WonSeconds) || !ParseNumber(n[6], s.CurrentRun) ||
        !ParseNumber(n[7], s.BestRun))
        return std::nullopt;
    for (size_t r = 1; FixedFields + r - 1 < n.size(); ++r)
        if (!ParseNumber(n[FixedFields + r - 1], s.ByRows[r])) return std::nullopt;
    if (!Sound(s)) return std::nullopt;
    return s;
}

// Where an unreadable stored text goes: the first aside name that is free
// (or already holds the very same text); the last one when all are taken.
std::string AsideFor(Store& store, const std::string& text) {
    for (int slot = 1; slot <= AsideSlots; ++slot) {
        const std::string name = slot == 1 ? std::string(AsideName) : AsideName + std::to_string(slot);
        if (!store.Holds(SectionGame, name) || store.ReadText(SectionGame, name) == text) return name;
    }
    return AsideName + std::to_string(AsideSlots);
}

// Writes `Apply(base, Unstored)` where base is the stored statistics (or
// none when clearing): read and written as one. A stored text that cannot
// be read is moved aside first; a stored value that is no text at all
// cannot be moved, so it is left alone until a clearing.
bool StoreMerged(bool clearing) {
    auto store = OpenStore();
    TStatistics merged;
    bool blocked = false;
    const bool stored = store->UpdateTexts([&](Store& now) {
        std::vector<StoreEntry> entries;
        TStatistics base;
        blocked = false;
        if (const std::optional<std::string> text = now.ReadText(SectionGame, StatsName)) {
            if (const std::optional<TStatistics> read = DecodeStatistics(*text))
                base = *read;
            else
                entries.push_back({SectionGame, AsideFor(now, *text), *text});
        } else if (now.Holds(SectionGame, StatsName) && !clearing) {
            blocked = true;
            return entries;
        }
        merged = clearing ? Apply(TStatistics{}, Unstored) : Apply(base, Unstored);
        entries.push_back({SectionGame, StatsName, EncodeStatistics(merged)});
        return entries;
    });
    if (!stored || blocked) return false;
    Synced = merged;
    Unstored = Pending{};
    return true;
}

}  // namespace

size_t StatsEntry(int spaces, int colors, bool doubles) {
    return size_t(HighScoreOffset(spaces, colors, doubles) / 3 + 1);
}

bool CountGame(size_t entry, GameEnd end, int rows, int seconds, bool hint) {
    if (entry < 1 || entry > StatsSettingCount) return false;
    Note(Unstored.Of[entry], end, rows, seconds, hint);
    Note(Unstored.Of[StatsAllTogether], end, rows, seconds, hint);
    return SaveStatistics();
}

TStatistics CurrentStatistics() { return Apply(ClearWanted ? TStatistics{} : Synced, Unstored); }

void LoadStatistics() {
    auto store = OpenStore();
    const std::optional<std::string> text = store->ReadText(SectionGame, StatsName);
    // Unreadable: this run counts from nothing, and the stored text is kept
    // aside at the first store.
    Synced = text ? DecodeStatistics(*text).value_or(TStatistics{}) : TStatistics{};
    Unstored = Pending{};
    ClearWanted = false;
}

bool SaveStatistics() {
    // A clearing the store refused is stored first: the stored counts stay
    // cleared, with this run's games since then on top.
    if (!StoreMerged(ClearWanted)) return false;
    ClearWanted = false;
    return true;
}

bool ClearStatistics() {
    Unstored = Pending{};
    Synced = TStatistics{};
    ClearWanted = true;
    return SaveStatistics();
}

void ResetStatistics() {
    Synced = TStatistics{};
    Unstored = Pending{};
    ClearWanted = false;
}

std::string EncodeStatistics(const TStatistics& stats) {
    std::string text = Version;
    for (size_t i = 1; i <= StatsAllTogether; ++i) {
        const TSettingStats& s = stats.Of[i];
        if (s == TSettingStats{}) continue;
        text += "/" + std::to_string(i) + ":";
        for (uint64_t v : {uint64_t(s.Won), uint64_t(s.Lost), uint64_t(s.GivenUp), uint64_t(s.HintWon), s.WonRows,
                           s.WonSeconds, uint64_t(s.CurrentRun), uint64_t(s.BestRun)})
            text += std::to_string(v) + ",";
        size_t last = 12;
        while (last >= 1 && s.ByRows[last] == 0) --last;
        for (size_t r = 1; r <= last; ++r) text += std::to_string(s.ByRows[r]) + ",";
        text.pop_back();
    }
    return text;
}

std::optional<TStatistics> DecodeStatistics(const std::string& text) {
    const std::vector<std::string> parts = Split(text, '/');
    if (parts[0] != Version) return std::nullopt;
    TStatistics stats;
    Array1<bool, 13> seen{};
    for (size_t k = 1; k < parts.size(); ++k) {
        const size_t colon = parts[k].find(':');
        size_t entry = 0;
        if (colon == std::string::npos || !ParseNumber(parts[k].substr(0, colon), entry) || entry < 1 ||
            entry > StatsAllTogether || seen[entry])
            return std::nullopt;
        const std::optional<TSettingStats> s = DecodeEntry(parts[k].substr(colon + 1));
        if (!s) return std::nullopt;
        seen[entry] = true;
        stats.Of[entry] = *s;
    }
    return stats;
}
