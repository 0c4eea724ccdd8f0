// SPDX-License-Identifier: GPL-3.0-or-later
// The timer window's design, as a form designer would keep it: its controls with their names,
// captions, fonts and places (in twips, as drawn), and the whole drawn larger on request.
#include "mainwindow/form1.h"

#include "forms/twips.h"

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

namespace {

const QColor red(255, 0, 0);

QFont digitFont(qreal points)
{
    QFont font;
    // "Quartz" where it is installed; the seven-segment face of fonts-dseg elsewhere, and a
    // bold monospace face when neither is there.
    font.setFamilies({QStringLiteral("Quartz"), QStringLiteral("DSEG7 Classic"),
                      QStringLiteral("Monospace")});
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(points);
    font.setBold(true);
    // Every pixel of a digit is red or black: soft edges would be neither, and the colour key
    // would leave a dark outline around the digits over a light slide.
    font.setStyleStrategy(QFont::NoAntialias);
    // The design places two digits in the width of 2.5 ems, as Quartz's narrow digits need;
    // the seven-segment substitute is drawn condensed to the same width. Whether Quartz is
    // there is asked once, at the size the digits show in: asking at each label's design size
    // would look the face up at every one of them.
    static const bool quartz = [font]() mutable {
        font.setPointSizeF(30);
        return QFontInfo(font).family().startsWith(QLatin1String("Quartz"));
    }();
    if (!quartz)
        font.setStretch(60);
    return font;
}

QFont buttonFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi"),
                      QStringLiteral("AR PL UKai CN"), QStringLiteral("Noto Serif CJK SC")});
    font.setPointSizeF(10.5);
    font.setBold(true);
    return font;
}

QLabel *digitLabel(QWidget *parent, const char *name, const QString &caption, QRect twips,
                   qreal points, bool selfSizing)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(Twips::toPixels(twips.x(), twips.y(), twips.width(), twips.height()));
    label->setFont(digitFont(points));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, red);
    label->setPalette(palette);
    label->setAutoFillBackground(false); // transparent: the window's background shows through
    label->setFocusPolicy(Qt::NoFocus);
    label->setProperty("selfSizing", selfSizing);
    if (selfSizing) {
        // Sized to its caption by Form_Load, in the face and size it shows: sizing it here
        // too would look the face up once more, at the design's size.
        label->setAlignment(Qt::AlignCenter);
    }
    return label;
}

QPushButton *hiddenButton(QWidget *parent, const char *name, const QString &caption,
                          QRect twips)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(Twips::toPixels(twips.x(), twips.y(), twips.width(), twips.height()));
    button->setFont(buttonFont());
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    return button;
}

} // namespace

void Form1::buildForm()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Moriv"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    resize(Twips::toPixels(1785), Twips::toPixels(495));
    setFocusPolicy(Qt::StrongFocus);
    // Opening over a slide show must not take its keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::HighlightedText));
    setPalette(palette);

    m_comhuifu = hiddenButton(this, "Comhuifu", tr("重置"), {10920, 6960, 615, 375});
    m_compause = hiddenButton(this, "Compause", tr("暂停"), {10320, 6960, 615, 375});
    m_comgjsz = hiddenButton(this, "Comgjsz", tr("自定义设置"), {9720, 7320, 1815, 375});
    m_comstart = hiddenButton(this, "Comstart", tr("开始"), {9720, 6960, 615, 375});

    m_label2 =
        digitLabel(this, "Label2", QStringLiteral(":"), {840, -120, 135, 615}, 14.25, false);
    m_label1 = digitLabel(this, "Label1", QStringLiteral(":"), {2160, -120, 375, 855}, 42, false);
    m_label1->hide();
    m_labhm = digitLabel(this, "Labhm", QStringLiteral("00"), {2160, 0, 255, 255}, 10.5, true);
    m_labhm->hide();
    m_labmiao = digitLabel(this, "Labmiao", QStringLiteral("0"), {1200, -120, 360, 495}, 10.5,
                           true);
    m_labfen = digitLabel(this, "Labfen", QStringLiteral("10"), {240, -120, 360, 375}, 10.5, true);

    // Nobody sees the hundredths while their label is hidden, so their ticks need not wake
    // the machine a hundred times a second; the session delivers them in batches instead.
    m_labhm->installEventFilter(this);
    for (const QLabel *label : {m_labhm, m_labmiao, m_labfen})
        m_fittedSizes.add(label);

    connect(m_comstart, &QPushButton::clicked, this, &Form1::Comstart_Click);
    connect(m_compause, &QPushButton::clicked, this, &Form1::Compause_Click);
    connect(m_comhuifu, &QPushButton::clicked, this, &Form1::Comhuifu_Click);
    connect(m_comgjsz, &QPushButton::clicked, this, &Form1::Comgjsz_Click);
}

QList<QWidget *> Form1::controls() const
{
    return {m_comhuifu, m_compause, m_comgjsz, m_comstart, m_label2,
            m_label1,   m_labhm,    m_labmiao, m_labfen};
}

void Form1::scaleDesign(qreal factor)
{
    const auto scaled = [factor](const QRect &rect) {
        return QRectF(rect.topLeft() * factor, rect.size() * factor).toRect();
    };
    for (QWidget *control : controls())
        control->setGeometry(scaled(control->geometry()));
    resize((QSizeF(size()) * factor).toSize());
}
