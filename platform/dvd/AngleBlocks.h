#pragma once
// The angle blocks of a disc's titles, read from its information files: how much the navigator
// library's title time overcounts while a cell after the first of an angle block plays.
#include <QByteArray>

#include <cstdint>
#include <memory>

struct dvdnav_s;

namespace dvd {

class AngleBlocks {
public:
    AngleBlocks();
    ~AngleBlocks();
    AngleBlocks(const AngleBlocks&) = delete;
    AngleBlocks& operator=(const AngleBlocks&) = delete;

    // Reads the disc at `path` (a local folder or image); false when it cannot be read.
    bool open(const QByteArray& path);
    void close();
    // In 90 kHz ticks, what libdvdnav's current time counts too much while cell `cell` (from 1)
    // of the title now playing plays: for the second or a later cell of an angle block, the
    // length of the block's first cell (which it counts as played though it is another angle).
    // 0 elsewhere, and whenever the information files cannot tell.
    int64_t overcount(dvdnav_s* nav, int cell);

private:
    struct Files;  // the reader and the information files read so far
    std::unique_ptr<Files> files_;
};

// A playing time of the information files (BCD hours, minutes, seconds and frames, the frame
// rate in the frame byte's top two bits) in 90 kHz ticks.
int64_t PlayingTimeTicks(uint8_t hour, uint8_t minute, uint8_t second, uint8_t frameByte);

}  // namespace dvd
