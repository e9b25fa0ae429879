#pragma once
// The one reading of the local clock that an expansion needs. Tests hand in a fixed moment;
// the program uses SystemLocalClock.
namespace tw {

struct LocalDateTime {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    int hour = 0;  // 0..23
    int minute = 0;
    int second = 0;
};

class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual LocalDateTime Now() = 0;
};

class SystemLocalClock : public LocalClock {
public:
    LocalDateTime Now() override;
};

} // namespace tw
