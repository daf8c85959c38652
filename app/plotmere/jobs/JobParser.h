#pragma once
// One job's command line: QCommandLineParser with the job's help, and numbers that begin
// with a minus sign ("-12345.6") taken as values rather than as options.

#include <QCommandLineParser>
#include <optional>

namespace plotmere_app {

class JobParser {
  public:
    JobParser(const QString& job, const QString& syntax, const QString& description);

    void AddOption(const QCommandLineOption& option) { parser_.addOption(option); }
    // Parses the job's arguments. Nothing when the job goes on; else the status to end with:
    // 0 after --help, 2 after bad use (told on stderr).
    std::optional<int> Parse(const QStringList& arguments, qsizetype fewest, qsizetype most);
    QStringList Arguments() const;
    QString Value(const QString& option) const;
    QStringList Values(const QString& option) const;
    bool IsSet(const QString& option) const { return parser_.isSet(option); }
    // Tells bad use on stderr with the job's usage line; returns 2.
    int Usage(const QString& why) const;

  private:
    QString job_;
    QString syntax_;
    QCommandLineParser parser_;
};

// Writes a line to stderr as "plotmere: text".
void Tell(const QString& text);

// True, with the value, for text that reads as a finite number.
bool ToDouble(const QString& text, double& value);

}  // namespace plotmere_app
