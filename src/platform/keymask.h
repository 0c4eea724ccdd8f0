// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QRegion>
#include <QVarLengthArray>

#include <optional>
#include <utility>

class QImage;
class QLabel;
class QWidget;

namespace KeyMask {

// The pixels of the image that are not exactly black (red 0, green 0, blue 0).
QRegion nonBlackRegion(const QImage &image);

// The widget's own pixels, background and children included, as they would be drawn now,
// whatever mask it has at the moment.
QImage renderWidget(QWidget *widget);

// The lit pixels of labels, kept by what decides them (text, font, size, colour, alignment).
// A count shows at most 60 seconds texts and a few minutes texts, so after the first minute a
// tick finds every region here and draws nothing for the key.
class LabelRegions
{
public:
    // The label's non-black pixels in its own coordinates.
    QRegion regionOf(const QLabel *label);
    qsizetype size() const;

    // Each child's own pixels and where it stands, in the window's order of its children.
    struct Child
    {
        const QWidget *widget;
        QPoint pos;
        QRegion region;
    };
    using Shown = QVarLengthArray<Child, 8>;
    // The union of the children's pixels, in the window's coordinates. A tick changes one
    // child, so the union of all the others is kept and the changed one added to it.
    QRegion unite(Shown shown);
    // The same union in two parts, for a window system that unites them itself: the pixels of
    // every child but the one that changed last, and that one's (empty when several did).
    struct Parts
    {
        QRegion rest;
        QRegion changed;
    };
    Parts split(Shown shown);
    // The bounding box of the pixels that changed since the key before: each child's whose
    // own changed, before and after; empty when none is known to have.
    QRect takeChanged() { return std::exchange(m_changed, QRect()); }

private:
    // A count of many hours passes through a minutes text a minute; far fewer are ever
    // needed again, so a label's texts start afresh rather than grow without end.
    static constexpr qsizetype maxEntries = 256;
    // What else decides a label's pixels; a change drops the regions of its texts.
    struct Look
    {
        QFont font;
        int alignment = 0;
        QRgb colour = 0;
        bool operator==(const Look &) const = default;
    };
    // A label that fits its text has a size for each text.
    struct Text
    {
        QString caption;
        QSize extent;
        bool operator==(const Text &) const = default;
        friend size_t qHash(const Text &shown, size_t start = 0)
        {
            return qHashMulti(start, shown.caption, shown.extent.width(), shown.extent.height());
        }
    };
    struct Texts
    {
        Look look;
        QHash<Text, QRegion> regions;
        // A tick changes one label: the others show what they showed last time.
        Text last;
        QRegion lastRegion;
    };
    QHash<const QLabel *, Texts> m_labels;
    Shown m_shown;
    QRegion m_moving; // the last child that changed alone, where it stands
    // The union of every child's pixels but this one's.
    const QWidget *m_restWithout = nullptr;
    QRegion m_rest;
    QRect m_changed;
};


// Where the mouse reaches the digits: for each run of columns that hold lit pixels, the box
// from its top lit row to its bottom one. A seven-segment character's segments overlap
// column by column, so each digit, the minus sign and the colon with both its dots are one
// cell each, the hollow of a 0 and the loops of an 8 inside it.
QRegion cellsOf(const QRegion &lit);
// The cells of every child shown, in the window's coordinates.
QRegion cellsOf(const LabelRegions::Shown &shown);

// The window's non-black pixels. On a black window the region is the union of its visible
// children's, each label's taken from the cache; any other window is drawn whole.
QRegion keyRegion(QWidget *window, LabelRegions &labels);
// The visible children's own pixels and where they stand, on a black window; nothing on any
// other.
std::optional<LabelRegions::Shown> shownChildren(QWidget *window, LabelRegions &labels);

// Masks the widget down to its pixels that are not exactly black. Returns whether the mask
// changed, so that callers only disturb the window system when there is something new. A
// translucent window is repainted whole on the way, so that no pixel of the old text stays
// behind where a compositor shows the window unshaped.
bool applyColourKey(QWidget *widget, LabelRegions &labels);
// Shapes the window to the reach and paints the changed pixels now: the window system takes
// a window's pixels only inside its shape. The caller shapes it again afterwards.
void repaintWithin(QWidget *widget, const QRegion &reach, const QRegion &changed);

} // namespace KeyMask
