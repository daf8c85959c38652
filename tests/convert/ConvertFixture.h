#pragma once
// Converts bytes as a raw file in a folder of the test's own and reads the field book back.

#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>

#include "apa/ApaCheck.h"
#include "convert/Conversion.h"
#include "platform/TextFile.h"
#include "support/TestEnvironment.h"

namespace test {

struct Converted {
    convert::ConversionResult result;
    QStringList lines;  // of the field book, empty when none was written
};

class ConvertFixture : public testing::Test {
  protected:
    void SetUp() override { folder_ = NewFolder(QStringLiteral("convert")); }

    QString RawFile(const QByteArray& bytes, const QString& name = QStringLiteral("JOB01.GSI")) {
        const QString path = folder_ + u'/' + name;
        WriteBytes(path, bytes);
        return path;
    }
    QString Output() const { return folder_ + QStringLiteral("/JOB01.APA"); }

    // Every field book a converter writes must pass the structural check.
    Converted Convert(const QByteArray& bytes, const QString& format = QStringLiteral("GSI")) {
        Converted c;
        c.result = convert::ConvertFile(format, RawFile(bytes), Output());
        if (c.result.outcome == convert::Outcome::Converted) {
            for (const apa::ApaProblem& p : apa::CheckApaFile(Output()))
                ADD_FAILURE() << "line " << p.line << ": " << p.message.toStdString();
            c.lines = platform::ReadTextLines(Output());
        }
        return c;
    }

    // The files of a folder of ../shared/samples (third-party data, read where it lies);
    // none when the folder is absent.
    struct Sample {
        QString name;
        QByteArray bytes;
    };
    static QList<Sample> Samples(const char* folder) {
        const QDir dir(QStringLiteral(TREVANTO_SHARED_SAMPLES "/") + QLatin1StringView(folder));
        QList<Sample> samples;
        for (const QString& name : dir.entryList(QDir::Files))
            samples.append({name, ReadBytes(dir.filePath(name))});
        return samples;
    }

    // The F lines of the book.
    static QStringList Sightings(const QStringList& lines) {
        QStringList f;
        for (const QString& line : lines)
            if (line.startsWith(QStringLiteral("F,"))) f.append(line);
        return f;
    }
    // Field n (1-based) of each line.
    static QStringList FieldOf(const QStringList& lines, int n) {
        QStringList values;
        for (const QString& line : lines) values.append(line.split(u',').value(n));
        return values;
    }

    // The line numbers of the converter's notes, in its order.
    static QList<qsizetype> NoteLines(const convert::ConversionResult& result) {
        QList<qsizetype> lines;
        for (const convert::LineNote& note : result.notes) lines.append(note.line);
        return lines;
    }
    // Station names and sighting numbers in the order written.
    static QStringList Rows(const QStringList& lines) {
        QStringList rows;
        for (const QString& line : lines) {
            if (line.startsWith(u'D')) rows.append(line.section(u',', 1, 1).trimmed());
            if (line.startsWith(u'F')) rows.append(line.section(u',', 4, 4));
        }
        return rows;
    }

    QString folder_;
};

}  // namespace test
