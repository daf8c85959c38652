#include "plotmere/plotview/SimaPlot.h"

#include <QHash>
#include <QStringDecoder>
#include <cmath>
#include <iconv.h>

namespace plotmere {
namespace {

// CP932 through the C library; a byte that does not decode becomes U+FFFD.
QString FromCp932(const QByteArray& bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return QString::fromLatin1(bytes);
    QByteArray out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char buffer[4096];
    while (inLeft > 0) {
        char* to = buffer;
        size_t toLeft = sizeof buffer;
        const size_t done = iconv(cd, &in, &inLeft, &to, &toLeft);
        out.append(buffer, to - buffer);
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            out.append("\xEF\xBF\xBD");
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return QString::fromUtf8(out);
}

QString Decode(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? FromCp932(bytes) : text;
}

bool ReadNumber(const QString& text, double& value) {
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

class Reader {
  public:
    void Line(const QString& line, int number) {
        const QStringList f = line.split(u',');
        const QString code = f.value(0).trimmed();
        if (code == u"A01") Point(f, number);
        else if (code == u"D00") StartParcel();
        else if (code == u"B01" && inParcel_) Corner(f, number);
        else if (code == u"D99" && inParcel_) EndParcel();
    }

    SimaPlot Take() {
        if (inParcel_) EndParcel();  // a last parcel without its D99 is kept as far as it goes
        return std::move(plot_);
    }

  private:
    void Point(const QStringList& f, int number) {
        SimaPlotPoint p;
        p.number = f.value(1).trimmed();
        p.name = f.value(2).trimmed();
        if (!ReadNumber(f.value(3), p.x) || !ReadNumber(f.value(4), p.y)) {
            plot_.faults << QString::number(number) + QStringLiteral(" 行目: 座標が読めません。");
            return;
        }
        // The height is not drawn: a point whose height does not read is still shown.
        if (!f.value(5).trimmed().isEmpty() && !ReadNumber(f.value(5), p.z)) {
            plot_.faults << QString::number(number) + QStringLiteral(" 行目: 標高が読めません（0 とします）。");
            p.z = 0;
        }
        // A parcel's corner names the first point of its number.
        if (byNumber_.contains(p.number))
            plot_.faults << QString::number(number) + QStringLiteral(" 行目: 点番号 ") + p.number +
                                QStringLiteral(" は二度目です。");
        else
            byNumber_.insert(p.number, static_cast<int>(plot_.points.size()));
        plot_.points.push_back(std::move(p));
    }

    void Corner(const QStringList& f, int number) {
        const auto at = byNumber_.constFind(f.value(1).trimmed());
        if (at == byNumber_.constEnd()) {
            plot_.faults << QString::number(number) + QStringLiteral(" 行目: 点 ") + f.value(1).trimmed() +
                                QStringLiteral(" がありません。");
            return;
        }
        parcel_.push_back(*at);
    }

    void StartParcel() {
        if (inParcel_) EndParcel();  // a parcel without its D99 ends where the next begins
        inParcel_ = true;
    }

    void EndParcel() {
        if (parcel_.size() >= 2) plot_.parcels.push_back(std::move(parcel_));
        parcel_.clear();
        inParcel_ = false;
    }

    SimaPlot plot_;
    QHash<QString, int> byNumber_;
    std::vector<int> parcel_;
    bool inParcel_ = false;
};

}  // namespace

SimaPlot ReadSimaPlot(const QByteArray& bytes) {
    const QString text = Decode(bytes);
    Reader reader;
    int number = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        ++number;
        if (line.endsWith(u'\r')) line.chop(1);
        reader.Line(line.toString(), number);
    }
    return reader.Take();
}

}  // namespace plotmere
