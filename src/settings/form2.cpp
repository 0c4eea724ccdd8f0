// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/form2.h"

#include "forms/messageboxservice.h"
#include "forms/twips.h"
#include "settings/settingsmessages.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>

namespace {

const QColor red(255, 0, 0);

QFont dialogFont(qreal points)
{
    QFont font;
    // 宋体 where Windows has it; a CJK face of the same kind elsewhere.
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

// The design's size of each control's face, set when the dialog first shows.
constexpr char pointsProperty[] = "designPoints";

void place(QWidget *widget, int left, int top, int width, int height, qreal points)
{
    widget->setGeometry(Twips::toPixels(left, top, width, height));
    widget->setProperty(pointsProperty, points);
}

void paintRed(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, red);
    palette.setColor(QPalette::Text, red);
    widget->setPalette(palette);
}

// A 16 × 16 picture for the save button: a red tick on a light disc.
QIcon saveIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(red.darker(130), 1));
    painter.setBrush(QColor(255, 235, 235));
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QPainterPath tick;
    tick.moveTo(4, 8.5);
    tick.lineTo(7, 11.5);
    tick.lineTo(12, 4.5);
    painter.setPen(QPen(red, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    return QIcon(pixmap);
}

} // namespace

Form2::Form2(SettingsFile settings, MessageBoxService &messages, QWidget *parent)
    : QDialog(parent)
    , m_settings(std::move(settings))
    , m_messages(messages)
{
    buildForm();
}

Form2::~Form2() = default;

void Form2::buildForm()
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("自定义设置"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(Twips::toPixels(11010), Twips::toPixels(7245));

    // A graphical command button: its small picture stands above its caption.
    m_comok = new QToolButton(this);
    m_comok->setObjectName(QStringLiteral("Comok"));
    m_comok->setText(tr("保存设置"));
    place(m_comok, 4680, 2400, 1335, 615, 14.25);
    m_comok->setIcon(saveIcon());
    m_comok->setIconSize(QSize(16, 16));
    m_comok->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_comok->setFocusPolicy(Qt::StrongFocus);
    connect(m_comok, &QToolButton::clicked, this, &Form2::Comok_Click);

    m_frame1 = new QGroupBox(tr("自定义设置"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    place(m_frame1, 0, 0, 10935, 2415, 14.25);
    paintRed(m_frame1);

    m_label2 = new QLabel(tr("设置倒计时时间(分钟)——>"), m_frame1);
    m_label2->setObjectName(QStringLiteral("Label2"));
    place(m_label2, 120, 720, 3495, 495, 12);
    // Default colours, not the group's red.
    QPalette plain = m_label2->palette();
    plain.setColor(QPalette::WindowText, QGuiApplication::palette().color(QPalette::WindowText));
    m_label2->setPalette(plain);

    m_textsj = new QLineEdit(m_frame1);
    m_textsj->setObjectName(QStringLiteral("Textsj"));
    place(m_textsj, 3360, 600, 3615, 495, 15);
    m_textsj->setAlignment(Qt::AlignCenter);
    m_textsj->setAccessibleName(tr("设置倒计时时间(分钟)"));
    paintRed(m_textsj);

    m_textbt = new QLineEdit(m_frame1);
    m_textbt->setObjectName(QStringLiteral("Textbt"));
    place(m_textbt, 2760, 1680, 3615, 495, 14.25);
    m_textbt->setAlignment(Qt::AlignCenter);
    paintRed(m_textbt);
    m_textbt->hide();

    m_label1 = new QLabel(tr("输入软件上方标题—>"), m_frame1);
    m_label1->setObjectName(QStringLiteral("Label1"));
    place(m_label1, 120, 1800, 2655, 375, 12);
    m_label1->hide();

    m_comfont = new QPushButton(tr("设置字体"), m_frame1);
    m_comfont->setObjectName(QStringLiteral("Comfont"));
    place(m_comfont, 8040, 1920, 1455, 495, 12);
    m_comfont->hide();

    m_comimg = new QPushButton(tr("自定义图片"), m_frame1);
    m_comimg->setObjectName(QStringLiteral("Comimg"));
    place(m_comimg, 9480, 1920, 1455, 495, 12);
    m_comimg->hide();

    // Only the save button and the minutes box take the focus; the dialog opens on the button.
    m_label2->setFocusPolicy(Qt::NoFocus);
    m_frame1->setFocusPolicy(Qt::NoFocus);
    setTabOrder(m_comok, m_textsj);
}

void Form2::setVisible(bool visible)
{
    // The CJK face costs a megabyte of memory and milliseconds of start-up once opened: the
    // faces are set when the dialog first shows, so a timer whose settings are never opened
    // never opens them.
    if (visible && !m_hasFaces) {
        m_hasFaces = true;
        for (QWidget *control : findChildren<QWidget *>()) {
            const QVariant points = control->property(pointsProperty);
            if (points.isValid())
                control->setFont(dialogFont(points.toReal()));
        }
    }
    QDialog::setVisible(visible);
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    // Return saves, from the minutes box as from the button, as in any settings dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_comok->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

QLineEdit *Form2::Textsj()
{
    ensureLoaded();
    return m_textsj;
}

QLineEdit *Form2::Textbt()
{
    ensureLoaded();
    return m_textbt;
}

void Form2::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}

void Form2::Form_Load()
{
    // A file that cannot be read leaves the title of the last load in its box, so that a save
    // does not write an empty title over the one the file had.
    QString title;
    const Outcome read = m_settings.ReadSettingsFile(title, m_minutesHolder);
    if (read)
        m_titleHolder = title;
    m_textbt->setText(m_titleHolder);
    m_textsj->setText(m_minutesHolder);
    if (!read)
        m_messages.warning(SettingsMessages::readFailure(read));
}

void Form2::loadWith(const QString &title, const QString &minutes)
{
    m_titleHolder = title;
    m_minutesHolder = minutes;
    m_textbt->setText(title);
    m_textsj->setText(minutes);
    m_loaded = true;
}

void Form2::openModal()
{
    ensureLoaded();
    m_comok->setFocus();
    // As exec() would, without an event loop of its own: the count goes on behind it.
    setWindowModality(Qt::ApplicationModal);
    // Above a slide show, as the timer is: a dialog under the show could not be reached.
    setWindowFlag(Qt::WindowStaysOnTopHint);
    show();
}

void Form2::abortModal()
{
    if (isVisible())
        reject();
}

void Form2::done(int result)
{
    // Closing the window (its close box, Escape) unloads the dialog without saving.
    const bool wasVisible = isVisible();
    QDialog::done(result);
    m_loaded = false;
    // A save says so first.
    if (wasVisible && !m_saving)
        emit closed();
}

void Form2::unload()
{
    if (isVisible())
        done(QDialog::Accepted);
    m_loaded = false;
}

void Form2::Comok_Click()
{
    const QString minutes = m_textsj->text();
    const Outcome written = m_settings.WriteSettingsFile(m_textbt->text(), minutes);
    if (!written) {
        // Nothing is lost: the dialog stays open with what was typed, the clock runs on.
        m_messages.warning(SettingsMessages::saveFailure(written));
        return;
    }
    m_saving = true;
    unload();
    m_saving = false;
    m_minutesHolder = Textsj()->text(); // loads the dialog again, hidden, from the new file
    emit saved(minutes);
    m_messages.information(tr("倒计时时间已修改，请点击重置按钮！"), [this] { emit closed(); });
}
