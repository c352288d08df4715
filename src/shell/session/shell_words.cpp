#include "shell/session/shell_words.h"

#include <QProcess>

#include <utility>

namespace whoopline::shell {

Result<QStringList> splitShellWords(const QString &line)
{
#ifdef Q_OS_WIN
    // Backslashes are path separators there.
    return QProcess::splitCommand(line);
#else
    QStringList words;
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            if (inWord)
                words << std::exchange(word, QString());
            inWord = false;
            continue;
        }
        if (c == QLatin1Char('\\') && i + 1 < line.size() && line[i + 1] == QLatin1Char('\n')) {
            ++i; // a line continued
            continue;
        }
        inWord = true;
        if (c == QLatin1Char('\\')) {
            if (++i < line.size())
                word += line[i];
        } else if (c == QLatin1Char('\'')) {
            const qsizetype end = line.indexOf(QLatin1Char('\''), i + 1);
            if (end < 0)
                return Failure{QStringLiteral("The command has an unclosed ' quote.")};
            word += line.mid(i + 1, end - i - 1);
            i = end;
        } else if (c == QLatin1Char('"')) {
            for (++i;; ++i) {
                if (i >= line.size())
                    return Failure{QStringLiteral("The command has an unclosed \" quote.")};
                if (line[i] == QLatin1Char('"'))
                    break;
                if (line[i] == QLatin1Char('\\') && i + 1 < line.size()
                    && QStringLiteral("\"\\$`").contains(line[i + 1]))
                    ++i;
                word += line[i];
            }
        } else {
            word += c;
        }
    }
    if (inWord)
        words << word;
    return words;
#endif
}

} // namespace whoopline::shell
