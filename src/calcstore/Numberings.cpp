#include "calcstore/Numberings.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

#include "calcstore/CalcMessages.h"
#include "platform/AutomationError.h"
#include "platform/Database.h"
#include "platform/Recordset.h"

namespace calcstore {
namespace {

// A part of a point number: optional blanks and sign, then digits only. Exponent forms
// (1E3, 1D3) are never numbers here.
bool IsNumberPart(const QString& part) {
    static const QRegularExpression re(QStringLiteral("^ *[+-]?[0-9]+ *$"));
    return re.match(part).hasMatch();
}

int DigitCount(qint64 n) {
    return static_cast<int>(QString::number(n).size());
}

// The end a new last rule gets before kOpenEnd: a range as long as the one before it, or
// one digit longer than its start when it stands alone. Only MaxLen depends on it, so an end
// beyond the largest point number is cut there.
qint32 ProvisionalEnd(const Numbering& rule, const Numbering* previous) {
    if (previous) {
        const qint64 end = 2 * qint64(rule.StartNo()) - previous->StartNo();
        return static_cast<qint32>(std::min<qint64>(end, std::numeric_limits<qint32>::max()));
    }
    if (rule.StartNo() == 0) return 10000;
    qint64 end = 1;
    for (int i = 0; i <= DigitCount(rule.StartNo()); ++i) end *= 10;
    return static_cast<qint32>(std::min<qint64>(end, kOpenEnd - 1));
}

// Takes the leading run of digits off text.
QString TakeDigits(QString& text) {
    qsizetype n = 0;
    while (n < text.size() && text[n].isDigit() && text[n].unicode() < 128) ++n;
    const QString digits = text.left(n);
    text.remove(0, n);
    return digits;
}

}  // namespace

QString Numberings::Key(qint32 startNo) {
    return QStringLiteral("NUM%1").arg(startNo, 10, 10, QLatin1Char('0'));
}

std::shared_ptr<Numbering> Numberings::Add(const Numbering& rule) {
    for (const auto& existing : rules_) {
        if (existing->StartNo() == rule.StartNo()) {
            ShowCalcError(QStringLiteral("指定が同一のものが存在します。"));
            return nullptr;
        }
    }
    auto added = std::make_shared<Numbering>();
    Numbering::Copy(*added, rule);
    auto it = rules_.begin();
    while (it != rules_.end() && (*it)->StartNo() < added->StartNo()) ++it;
    it = rules_.insert(it, added);
    const auto pos = it - rules_.begin();
    Numbering* previous = pos > 0 ? rules_[pos - 1].get() : nullptr;
    if (pos + 1 < Count()) {
        added->SetEndNo(rules_[pos + 1]->StartNo());
    } else {
        added->SetEndNo(ProvisionalEnd(*added, previous));
        added->SetEndNo(kOpenEnd);
    }
    if (previous) previous->SetEndNo(added->StartNo());
    return added;
}

void Numberings::Remove(int index) {
    if (index < 1 || index > Count())
        throw platform::AutomationError::SubscriptOutOfRange(QStringLiteral("Numberings"));
    rules_.erase(rules_.begin() + (index - 1));
    if (index >= 2)
        rules_[index - 2]->SetEndNo(index - 1 < Count() ? rules_[index - 1]->StartNo() : kOpenEnd);
}

void Numberings::Copy(Numberings& dis, const Numberings& src) {
    if (&dis == &src) return;
    dis.Clear();
    for (const auto& rule : src.rules_) dis.Add(*rule);
}

std::shared_ptr<Numbering> Numberings::Item(const QVariant& index) const {
    if (index.metaType().id() == QMetaType::QString) {
        for (const auto& rule : rules_)
            if (Key(rule->StartNo()) == index.toString()) return rule;
        throw platform::AutomationError::InvalidArgument(QStringLiteral("Numberings"));
    }
    const int position = index.toInt();
    if (position < 1 || position > Count())
        throw platform::AutomationError::SubscriptOutOfRange(QStringLiteral("Numberings"));
    return rules_[position - 1];
}

QString Numberings::GetTenMei(const QString& number) const {
    const qsizetype firstDot = number.indexOf(u'.');
    const qsizetype secondDot = firstDot < 0 ? -1 : number.indexOf(u'.', firstDot + 1);
    const QString main = number.left(firstDot < 0 ? number.size() : firstDot);
    const bool hasBranch1 = firstDot >= 0;
    const bool hasBranch2 = secondDot >= 0;
    const QString branch1 =
        hasBranch1 ? number.mid(firstDot + 1, hasBranch2 ? secondDot - firstDot - 1 : -1)
                   : QString();
    const QString branch2 = hasBranch2 ? number.mid(secondDot + 1) : QString();
    if (!IsNumberPart(main) || (hasBranch1 && !IsNumberPart(branch1)) ||
        (hasBranch2 && !IsNumberPart(branch2)))
        return number;

    // A number too long for any rule is no point number of this district.
    bool fits = false;
    const qint64 value = main.trimmed().toLongLong(&fits);
    if (!fits) return number;
    for (const auto& rule : rules_) {
        if (value < rule->StartNo() || value >= rule->EndNo()) continue;
        QString name = rule->TenName() + QString::number(value - rule->StartNo() + rule->SetNo());
        if (rule->IsAlwaysForm()) {
            name += rule->Eda1Separator();
            if (hasBranch1) name += branch1.trimmed();
        } else if (!rule->Eda1Name().isEmpty() && hasBranch1) {
            name += rule->Eda1Name() + branch1.trimmed();
        } else {
            return name;
        }
        if (!rule->Eda2Name().isEmpty() && hasBranch1 && hasBranch2)
            name += rule->Eda2Name() + branch2.trimmed();
        return name;
    }
    return number;
}

bool Numberings::Parse(const Numbering& rule, const QString& name, Parsed& out) const {
    QString rest = name;
    if (!rule.TenName().isEmpty()) {
        if (!rest.startsWith(rule.TenName())) return false;
        rest.remove(0, rule.TenName().size());
    }
    const QString digits = TakeDigits(rest);
    if (digits.isEmpty() || digits.size() > 15) return false;
    out = Parsed{digits.toLongLong(), {}, {}};
    if (!rest.isEmpty()) {
        const QString separator = rule.Eda1Separator();
        if (rule.Eda1Name().isEmpty() || !rest.startsWith(separator)) return false;
        rest.remove(0, separator.size());
        out.branch1 = TakeDigits(rest);
        if (!rest.isEmpty()) {
            if (rule.Eda2Name().isEmpty() || !rest.startsWith(rule.Eda2Name())) return false;
            rest.remove(0, rule.Eda2Name().size());
            out.branch2 = TakeDigits(rest);
        }
    }
    // A name number below SetNo lies before the range (K0 is no point of a rule K from 1).
    const qint64 offset = out.main - rule.SetNo();
    return rest.isEmpty() && offset >= 0 && offset < qint64(rule.EndNo()) - rule.StartNo();
}

const Numbering* Numberings::Match(const QString& name, Parsed& out) const {
    for (const auto& rule : rules_)
        if (Parse(*rule, name, out)) return rule.get();
    return nullptr;
}

QString Numberings::GetTenNo(const QString& name) const {
    Parsed parsed;
    const Numbering* rule = Match(name, parsed);
    if (!rule) return {};
    QString number = QString::number(parsed.main - rule->SetNo() + rule->StartNo());
    if (!parsed.branch1.isEmpty()) number += u'.' + QString::number(parsed.branch1.toLongLong());
    if (!parsed.branch2.isEmpty()) number += u'.' + parsed.branch2;
    return number;
}

QString Numberings::GetSortTenNo(const QString& name) const {
    Parsed parsed;
    const Numbering* rule = Match(name, parsed);
    if (!rule) return QStringLiteral("9999999") + name;
    auto padded = [](const QString& digits, int width) {
        return (QString(width, u'0') + digits).right(width);
    };
    QString key = padded(QString::number(parsed.main - rule->SetNo() + rule->StartNo()), 7);
    if (!parsed.branch1.isEmpty()) key += u'.' + padded(parsed.branch1, 5);
    if (!parsed.branch2.isEmpty()) key += u'.' + padded(parsed.branch2, 5);
    return key;
}

bool Numberings::ReadAllDB(const QString& databasePath) {
    try {
        auto db = platform::Database::Open(databasePath);
        auto rs = db->OpenRecordset(QStringLiteral(
            "SELECT StartNo, SetNo, TenName, Eda1Name, Eda2Name, MaxLen FROM TENBAN"));
        for (; !rs->Eof(); rs->MoveNext()) {
            Numbering rule;
            rule.SetStartNo(rs->Field(QStringLiteral("StartNo")).toInt());
            rule.SetSetNo(rs->Field(QStringLiteral("SetNo")).toInt());
            rule.SetTenName(rs->Field(QStringLiteral("TenName")).toString());
            rule.SetEda1Name(rs->Field(QStringLiteral("Eda1Name")).toString());
            rule.SetEda2Name(rs->Field(QStringLiteral("Eda2Name")).toString());
            rule.SetMaxLen(static_cast<qint16>(rs->Field(QStringLiteral("MaxLen")).toInt()));
            Add(rule);
        }
        return true;
    } catch (const platform::DbError&) {
        return false;
    }
}

Numberings& ProcessNumberings() {
    static Numberings numberings;
    return numberings;
}

}  // namespace calcstore
