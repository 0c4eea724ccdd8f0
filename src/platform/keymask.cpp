// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keymask.h"

#include <QImage>
#include <QLabel>
#include <QWidget>

#include <algorithm>

namespace KeyMask {

QRegion nonBlackRegion(const QImage &image)
{
    const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    // One rectangle per run of non-black pixels in a row, rows in order and runs in order
    // within a row: the banded list that QRegion takes as it is. A row whose runs are the
    // row above's only makes that band taller, as QRegion's own operations would: a digit's
    // strokes repeat for many rows, and every later union and shape costs by rectangles.
    QList<QRect> runs;
    qsizetype band = 0; // where the last band's runs start
    for (int y = 0; y < opaque.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(opaque.constScanLine(y));
        const qsizetype rowStart = runs.size();
        int x = 0;
        while (x < opaque.width()) {
            while (x < opaque.width() && (row[x] & 0xffffff) == 0)
                ++x;
            const int start = x;
            while (x < opaque.width() && (row[x] & 0xffffff) != 0)
                ++x;
            if (x > start)
                runs.append(QRect(start, y, x - start, 1));
        }
        const qsizetype count = runs.size() - rowStart;
        bool same = count > 0 && rowStart - band == count && runs[band].bottom() == y - 1;
        for (qsizetype i = 0; same && i < count; ++i)
            same = runs[band + i].left() == runs[rowStart + i].left()
                   && runs[band + i].width() == runs[rowStart + i].width();
        if (same) {
            for (qsizetype i = 0; i < count; ++i)
                runs[band + i].setBottom(y);
            runs.resize(rowStart);
        } else {
            band = rowStart;
        }
    }
    QRegion region;
    region.setRects(runs.constData(), static_cast<int>(runs.size()));
    return region;
}

QImage renderWidget(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(widget->palette().color(widget->backgroundRole()));
    widget->render(&image, QPoint(), QRegion(),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren
                       | QWidget::IgnoreMask);
    return image;
}

namespace {

QRegion childRegion(QWidget *child)
{
    QImage image(child->size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    child->render(&image, QPoint(), QRegion(), QWidget::DrawChildren | QWidget::IgnoreMask);
    return nonBlackRegion(image);
}

bool isBlack(const QColor &colour)
{
    return (colour.rgb() & 0xffffff) == 0;
}

} // namespace

QRegion LabelRegions::regionOf(const QLabel *label)
{
    Texts &texts = m_labels[label];
    const Look look{label->font(), int(label->alignment()),
                    label->palette().color(label->foregroundRole()).rgba()};
    if (!(texts.look == look) || texts.regions.size() >= maxEntries) {
        texts.look = look;
        texts.regions.clear();
    }
    Text text{label->text(), label->size()};
    if (text == texts.last && !texts.regions.isEmpty())
        return texts.lastRegion;
    auto found = texts.regions.constFind(text);
    if (found == texts.regions.constEnd())
        found = texts.regions.insert(text, childRegion(const_cast<QLabel *>(label)));
    texts.last = std::move(text);
    texts.lastRegion = *found;
    return texts.lastRegion;
}

QRegion LabelRegions::unite(Shown shown)
{
    const Parts parts = split(std::move(shown));
    return parts.changed.isEmpty() ? parts.rest : parts.rest + parts.changed;
}

LabelRegions::Parts LabelRegions::split(Shown shown)
{
    const auto box = [](const Child &own) { return own.region.boundingRect().translated(own.pos); };
    const auto placed = [](const Child &own) { return own.region.translated(own.pos); };
    // The same children in the same order, as from one tick to the next, compare one by one;
    // any other change counts every child as changed.
    bool sameChildren = shown.size() == m_shown.size();
    for (qsizetype i = 0; sameChildren && i < shown.size(); ++i)
        sameChildren = shown[i].widget == m_shown[i].widget;
    QVarLengthArray<qsizetype, 8> changed;
    if (sameChildren) {
        for (qsizetype i = 0; i < shown.size(); ++i) {
            if (shown[i].pos != m_shown[i].pos || !(shown[i].region == m_shown[i].region)) {
                changed.append(i);
                m_changed |= box(m_shown[i]) | box(shown[i]);
            }
        }
    } else {
        for (const Child &own : std::as_const(m_shown))
            m_changed |= box(own);
        for (const Child &own : std::as_const(shown))
            m_changed |= box(own);
    }

    if (!sameChildren || changed.size() > 1) {
        m_restWithout = nullptr;
        m_rest = QRegion();
        m_moving = QRegion();
        for (const Child &own : std::as_const(shown))
            m_rest += placed(own);
    } else if (changed.size() == 1) {
        const Child &moving = shown[changed.first()];
        if (m_restWithout != moving.widget) {
            m_rest = QRegion();
            for (const Child &own : std::as_const(shown))
                if (own.widget != moving.widget)
                    m_rest += placed(own);
            m_restWithout = moving.widget;
        }
        m_moving = placed(moving);
    }
    m_shown = std::move(shown);
    return {m_rest, m_moving};
}

qsizetype LabelRegions::size() const
{
    qsizetype entries = 0;
    for (const Texts &texts : m_labels)
        entries += texts.regions.size();
    return entries;
}

std::optional<LabelRegions::Shown> shownChildren(QWidget *window, LabelRegions &labels)
{
    if (!isBlack(window->palette().color(window->backgroundRole())))
        return std::nullopt;
    // The background is black and keyed out; what is left are the visible children's lit
    // pixels. Labels draw no background of their own, so their pixels simply add up.
    LabelRegions::Shown shown;
    for (QObject *object : window->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (!child || child->isHidden() || child->isWindow())
            continue;
        const auto *label = qobject_cast<QLabel *>(child);
        // A label showing a picture or a movie has no text.
        const bool plainLabel = label && !label->autoFillBackground() && !label->text().isEmpty()
                                && label->children().isEmpty();
        const QRegion own = plainLabel ? labels.regionOf(label) : childRegion(child);
        shown.append({child, child->pos(), own});
    }
    return shown;
}

QRegion cellsOf(const QRegion &lit)
{
    QList<QRect> columns; // one per rectangle: its columns, and the rows it spans
    for (const QRect &rect : lit)
        columns.append(rect);
    std::sort(columns.begin(), columns.end(),
              [](const QRect &a, const QRect &b) { return a.left() < b.left(); });
    QList<QRect> cells;
    for (const QRect &rect : std::as_const(columns)) {
        // Columns that touch or overlap the cell so far are the same character's.
        if (!cells.isEmpty() && rect.left() <= cells.last().right() + 1)
            cells.last() |= rect;
        else
            cells.append(rect);
    }
    QRegion region;
    for (const QRect &cell : std::as_const(cells))
        region += cell;
    return region;
}

QRegion cellsOf(const LabelRegions::Shown &shown)
{
    QRegion cells;
    for (const LabelRegions::Child &own : shown)
        cells += cellsOf(own.region).translated(own.pos);
    return cells;
}

QRegion keyRegion(QWidget *window, LabelRegions &labels)
{
    std::optional<LabelRegions::Shown> shown = shownChildren(window, labels);
    if (!shown)
        return nonBlackRegion(renderWidget(window));
    return labels.unite(std::move(*shown)) & window->rect();
}

bool applyColourKey(QWidget *widget, LabelRegions &labels)
{
    QRegion region = keyRegion(widget, labels);
    QRect changed = labels.takeChanged();
    // An empty mask means "no mask" to Qt, which would show the whole black window; keep a
    // single pixel instead when nothing but black is left.
    if (region.isEmpty())
        region = QRegion(0, 0, 1, 1);
    const QRegion old = widget->mask();
    if (region == old)
        return false;
    if (widget->testAttribute(Qt::WA_TranslucentBackground) && widget->isVisible()
        && !old.isEmpty()) {
        // Qt paints a masked window only inside its mask, and a compositor that ignores the
        // shape shows the window's pixels everywhere: lit segments of the old text outside
        // the new shape would stay on screen. So the shape first grows to cover both texts,
        // the window is painted whole (transparent around the digits), then it shrinks. The
        // shape grows to their bounding box: painting clipped to a box is several times
        // cheaper than painting clipped to hundreds of segment edges, and the pixels around
        // the digits are transparent anyway.
        const QRect both = old.boundingRect() | region.boundingRect();
        if (changed.isNull())
            changed = old.xored(region).boundingRect();
        repaintWithin(widget, both, changed);
    }
    widget->setMask(region);
    return true;
}

void repaintWithin(QWidget *widget, const QRegion &reach, const QRegion &changed)
{
    widget->setMask(reach);
    widget->repaint(changed);
}

} // namespace KeyMask
