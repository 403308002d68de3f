#pragma once

#include <QString>
#include <QtGlobal>

// Colours of the message display and the possible-dupe list, as blue-green-red values.
// ButtonFace is not a colour but the marker for "the system's button-face colour"; the window
// turns it into its palette's button colour.
namespace DisplayColours {
constexpr quint32 Panel = 0xC0C000;  // blue C0, green C0, red 0
constexpr quint32 DupeRed = 0x0000FF;
constexpr quint32 ButtonFace = 0x8000000F;
}  // namespace DisplayColours

// One label as the window must draw it.
struct LabelView {
    QString text;
    quint32 colour = DisplayColours::Panel;
    bool operator==(const LabelView&) const = default;
};
