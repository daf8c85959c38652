#include "jobs/JobParser.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdio>

#include "jobs/Job.h"

namespace plotmere_app {
namespace {

// A negative number would read as a cluster of short options; it travels escaped.
constexpr char16_t kNumberMark = u'\x1F';

QString Escaped(const QString& argument) {
    static const QRegularExpression negative(QStringLiteral("^-[0-9.]"));
    return negative.match(argument).hasMatch() ? QString(kNumberMark) + argument : argument;
}

QString Unescaped(QString value) {
    if (value.startsWith(kNumberMark)) value.remove(0, 1);
    return value;
}

}  // namespace

void Tell(const QString& text) {
    std::fprintf(stderr, "plotmere: %s\n", text.toLocal8Bit().constData());
}

bool ToDouble(const QString& text, double& value) {
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

JobParser::JobParser(const QString& job, const QString& syntax, const QString& description)
    : job_(job), syntax_(syntax) {
    parser_.setApplicationDescription(description);
    parser_.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("この説明を表示します。")});
}

std::optional<int> JobParser::Parse(const QStringList& arguments, qsizetype fewest, qsizetype most) {
    QStringList line{QStringLiteral("plotmere")};
    for (const QString& a : arguments) line << Escaped(a);
    if (!parser_.parse(line)) return Usage(parser_.errorText());
    if (parser_.isSet(QStringLiteral("help"))) {
        QString help = parser_.helpText();
        help.replace(0, help.indexOf(u'\n'), QStringLiteral("使い方: plotmere ") + job_ + u' ' + syntax_);
        help += QStringLiteral("\n終了状態: 0 問題なし、1 入力に問題が見つかった（答えがない）、2 使い方の誤り・読み書きできないファイル。\n");
        std::fputs(help.toLocal8Bit().constData(), stdout);
        return kExitOk;
    }
    const qsizetype count = parser_.positionalArguments().size();
    if (count < fewest) return Usage(QStringLiteral("引数が足りません。"));
    if (count > most) return Usage(QStringLiteral("引数が多すぎます。"));
    return std::nullopt;
}

QStringList JobParser::Arguments() const {
    QStringList out;
    for (const QString& a : parser_.positionalArguments()) out << Unescaped(a);
    return out;
}

QString JobParser::Value(const QString& option) const { return Unescaped(parser_.value(option)); }

QStringList JobParser::Values(const QString& option) const {
    QStringList out;
    for (const QString& v : parser_.values(option)) out << Unescaped(v);
    return out;
}

int JobParser::Usage(const QString& why) const {
    Tell(job_ + QStringLiteral(": ") + why);
    std::fprintf(stderr, "使い方: plotmere %s %s（plotmere %s --help で説明）\n", job_.toLocal8Bit().constData(),
                 syntax_.toLocal8Bit().constData(), job_.toLocal8Bit().constData());
    return kExitTrouble;
}

}  // namespace plotmere_app
