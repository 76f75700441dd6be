#pragma once

#include "link/Bytes.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace kelvara {

// The lens's 512-byte settings image as a value: each setting by name, as the lens
// stores it. Decoded and encoded from one layout table, which also gives each setting's
// write address. Bytes that no setting holds are kept as they were read.
class LensSettings {
  public:
    static constexpr int SLOTS = 4;
    static constexpr int AF_LIMIT_ROWS = 6;
    static constexpr std::size_t SIZE = 512;
    // The decode reads up to the last delay field.
    static constexpr std::size_t DECODED_SIZE = 320;

    enum Field {
        RingFunction,
        Direction,
        RingResponse,
        RingAngle,
        IrisAngle,
        AfLimit,
        Pinto,
        SwitchFunction,
        ButtonFunction,
        FocusSpeed,
        FocusTime,
        IrisTime,
        FocusDelay,
        IrisDelay
    };

    // Near and far index into the lens's AF limit position table, a nibble each.
    struct AfLimitRow {
        int nearIndex = 0;
        int farIndex = 0;
        friend bool operator==(const AfLimitRow&, const AfLimitRow&) = default;
    };
    using Slots = std::array<int, SLOTS>;

    int ringFunction = 0;
    int direction = 0;
    int ringResponse = 0;
    int ringAngle = 0; // signed
    Slots irisAngle{};
    std::array<AfLimitRow, AF_LIMIT_ROWS> afLimit{};
    int pinto = 0; // signed
    int switchFunction = 0;
    Slots buttonFunction{};
    Slots focusSpeed{};
    // Tenths of a second.
    Slots focusTime{};
    Slots irisTime{};
    Slots focusDelay{};
    Slots irisDelay{};

    // Nothing for an image shorter than DECODED_SIZE.
    static std::optional<LensSettings> decode(const Bytes& image);
    // The decoded image with every setting written back in.
    Bytes encode() const;

    // Where index `index` of a setting lives (and is written).
    static int address(Field field, int index = 0);
    // The values a setting's encoding holds.
    static std::pair<int, int> range(Field field);
    // A value within range(field) as the lens stores it.
    static Bytes bytes(Field field, int value);

    // What two images store differently: the settings, each once in the order of the
    // bytes that differ, and whether bytes that no setting holds differ too (a missing
    // byte differs).
    struct Differences {
        std::vector<Field> settings;
        bool otherBytes = false;
        bool empty() const { return settings.empty() && !otherBytes; }
    };
    static Differences compare(const Bytes& a, const Bytes& b);
    // The text id of the name the pages give a setting.
    static const char* nameId(Field field);

    // Equal when the lens would store the same bytes.
    friend bool operator==(const LensSettings& a, const LensSettings& b) {
        return a.encode() == b.encode();
    }

  private:
    int get(Field field, int index) const;
    void set(Field field, int index, int value);

    Bytes image_ = Bytes(SIZE, 0);
};

} // namespace kelvara
