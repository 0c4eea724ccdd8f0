// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/preferences.h"

#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <optional>

namespace {

const QByteArray section = "[choices]";

constexpr std::array<const char *, 5> placeNames = {"as-designed", "top-left", "top-right",
                                                    "bottom-left", "bottom-right"};

QByteArray keyOf(const QByteArray &line)
{
    const qsizetype equals = line.indexOf('=');
    return equals < 0 ? QByteArray() : line.left(equals).trimmed();
}

std::optional<bool> toBool(const QByteArray &value)
{
    if (value == "true")
        return true;
    if (value == "false")
        return false;
    return std::nullopt;
}

std::optional<int> toInt(const QByteArray &value, int low, int high)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok && number >= low && number <= high ? std::optional(number) : std::nullopt;
}

// The choices as the file's lines, one a key, in the order a person reads them best.
QList<std::pair<QByteArray, QByteArray>> linesOf(const Choices &choices)
{
    const auto flag = [](bool on) { return on ? QByteArray("true") : QByteArray("false"); };
    return {{"overtime", flag(choices.overtime)},
            {"start-with-show", flag(choices.startWithShow)},
            {"warning", QByteArray::number(choices.warnMinutes)},
            {"place", placeNames[std::size_t(choices.place)]},
            {"size", QByteArray::number(choices.sizePercent)},
            {"screen", QByteArray::number(choices.screen)},
            {"phases", flag(choices.phases)},
            {"sound", flag(choices.sound)},
            {"remote", flag(choices.remote)},
            {"remote-port", QByteArray::number(choices.remotePort)}};
}

} // namespace

Choices PreferencesFile::read(Outcome *problem)
{
    m_lines.clear();
    const auto fail = [&](const QString &reason) {
        m_lines.clear();
        if (problem)
            *problem = Outcome::failure(m_path, reason);
        return Choices();
    };
    if (problem)
        *problem = {};
    if (!QFileInfo::exists(m_path))
        return {};
    QFile file;
    if (const Outcome opened = RegularFile::openForReading(file, m_path); !opened)
        return fail(opened.reason);
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (bytes.size() > maxBytes)
        return fail(QStringLiteral("longer than %1 bytes").arg(maxBytes));
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)QString(utf8(bytes));
    if (utf8.hasError() || bytes.contains('\0'))
        return fail(QStringLiteral("not a text in UTF-8"));

    Choices choices;
    bool inChoices = false;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            inChoices = trimmed == section;
        } else if (!trimmed.isEmpty() && !trimmed.startsWith('#') && !trimmed.startsWith(';')) {
            if (!trimmed.contains('='))
                return fail(QStringLiteral("line %1 is no \"key=value\"")
                                .arg(m_lines.size() + 1));
            const QByteArray key = keyOf(trimmed);
            const QByteArray value = trimmed.mid(trimmed.indexOf('=') + 1).trimmed();
            // A value this version cannot take leaves that choice at its default.
            if (!inChoices) {
            } else if (key == "overtime") {
                choices.overtime = toBool(value).value_or(choices.overtime);
            } else if (key == "start-with-show") {
                choices.startWithShow = toBool(value).value_or(choices.startWithShow);
            } else if (key == "warning") {
                choices.warnMinutes = toInt(value, 0, 32768).value_or(choices.warnMinutes);
            } else if (key == "size") {
                choices.sizePercent = toInt(value, 50, 800).value_or(choices.sizePercent);
            } else if (key == "phases") {
                choices.phases = toBool(value).value_or(choices.phases);
            } else if (key == "sound") {
                choices.sound = toBool(value).value_or(choices.sound);
            } else if (key == "remote") {
                choices.remote = toBool(value).value_or(choices.remote);
            } else if (key == "remote-port") {
                choices.remotePort = toInt(value, 1, 65535).value_or(choices.remotePort);
            } else if (key == "screen") {
                choices.screen = toInt(value, 0, 64).value_or(choices.screen);
            } else if (key == "place") {
                for (std::size_t i = 0; i < placeNames.size(); ++i)
                    if (value == placeNames[i])
                        choices.place = Choices::Place(i);
            }
        }
        m_lines.append(line);
    }
    while (!m_lines.isEmpty() && m_lines.last().trimmed().isEmpty())
        m_lines.removeLast();
    return choices;
}

Outcome PreferencesFile::store(const Choices &choices)
{
    // The known keys are written where they stood, in the section they belong to; what this
    // version does not know stays as it was.
    auto values = linesOf(choices);
    const auto known = linesOf({});
    QByteArrayList lines;
    bool inChoices = false;
    bool sawSection = false;
    // The keys the section lacked go at its end, before the blank lines that part it from the
    // next.
    const auto flushRest = [&] {
        qsizetype blanks = 0;
        while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) {
            lines.removeLast();
            ++blanks;
        }
        for (const auto &[key, value] : std::as_const(values))
            lines.append(key + '=' + value);
        values.clear();
        for (; blanks > 0; --blanks)
            lines.append(QByteArray());
    };
    for (const QByteArray &line : std::as_const(m_lines)) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            if (inChoices)
                flushRest();
            inChoices = trimmed == section;
            sawSection = sawSection || inChoices;
            lines.append(line);
            continue;
        }
        if (inChoices) {
            const QByteArray key = keyOf(trimmed);
            const auto value = std::find_if(values.begin(), values.end(),
                                            [&](const auto &pair) { return pair.first == key; });
            if (value != values.end()) {
                lines.append(key + '=' + value->second);
                values.erase(value);
                continue;
            }
            if (!key.isEmpty() && std::any_of(known.cbegin(), known.cend(),
                                              [&](const auto &pair) { return pair.first == key; }))
                continue; // a key written twice: once is enough
        }
        lines.append(line);
    }
    if (!sawSection) {
        if (!lines.isEmpty())
            lines.append(QByteArray());
        else
            lines.append("# Moriv's choices, as its menu left them. The minutes are in sys.txt.");
        lines.append(section);
    }
    flushRest();
    const QByteArray contents = lines.join('\n') + '\n';

    if (const Outcome replaceable = RegularFile::mayReplace(m_path); !replaceable)
        return replaceable;
    // A file the speaker made read-only keeps its choices, whoever runs the timer.
    const QFileInfo existing(m_path);
    if (existing.exists() && !(existing.permissions() & QFileDevice::WriteOwner))
        return Outcome::failure(m_path, QStringLiteral("the file is read-only"));
    const QString folder = existing.absolutePath();
    if (!QDir().mkpath(folder))
        return Outcome::failure(m_path, QStringLiteral("cannot make the folder %1")
                                            .arg(QDir::toNativeSeparators(folder)));
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        || file.write(contents) != contents.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Outcome::failure(m_path, reason.isEmpty() ? QStringLiteral("write failed") : reason);
    }
    m_lines = lines;
    return {};
}
