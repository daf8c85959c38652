#include "platform/SelectShape.h"

#include <vector>

namespace platform {
namespace {

enum class Kind { Word, Quoted, Literal, Symbol };

struct Token {
    Kind kind;
    qsizetype begin;
    qsizetype end;
};

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c.unicode() >= 0x80;
}

// Skips text up to and including the closing character; a doubled closing character
// stands for itself.
qsizetype SkipQuoted(const QString& sql, qsizetype at, QChar close) {
    for (qsizetype i = at + 1; i < sql.size(); ++i) {
        if (sql[i] != close) continue;
        if (close != u']' && i + 1 < sql.size() && sql[i + 1] == close) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return sql.size();
}

qsizetype SkipComment(const QString& sql, qsizetype at) {
    if (sql[at + 1] == u'-') {
        const qsizetype end = sql.indexOf(u'\n', at);
        return end < 0 ? sql.size() : end + 1;
    }
    const qsizetype end = sql.indexOf(QStringLiteral("*/"), at + 2);
    return end < 0 ? sql.size() : end + 2;
}

std::vector<Token> Tokenize(const QString& sql) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        const QChar next = i + 1 < sql.size() ? sql[i + 1] : QChar();
        if (c.isSpace()) {
            ++i;
        } else if ((c == u'-' && next == u'-') || (c == u'/' && next == u'*')) {
            i = SkipComment(sql, i);
        } else if (c == u'\'') {
            const qsizetype end = SkipQuoted(sql, i, u'\'');
            tokens.push_back({Kind::Literal, i, end});
            i = end;
        } else if (c == u'"' || c == u'`' || c == u'[') {
            const qsizetype end = SkipQuoted(sql, i, c == u'[' ? QChar(u']') : c);
            tokens.push_back({Kind::Quoted, i, end});
            i = end;
        } else if (IsWordChar(c)) {
            qsizetype end = i + 1;
            while (end < sql.size() && IsWordChar(sql[end])) ++end;
            tokens.push_back({Kind::Word, i, end});
            i = end;
        } else {
            tokens.push_back({Kind::Symbol, i, i + 1});
            ++i;
        }
    }
    return tokens;
}

class Reader {
  public:
    explicit Reader(const QString& sql) : sql_(sql), tokens_(Tokenize(sql)) {}

    SelectShape Read() {
        SelectShape shape;
        if (tokens_.empty()) return shape;
        shape.isQuery = IsWord(0, "SELECT") || IsWord(0, "WITH") || IsWord(0, "VALUES");
        if (!IsWord(0, "SELECT")) return shape;
        size_t first = 1;
        if (first < tokens_.size() && IsWord(first, "ALL")) ++first;
        shape.columnsAt = tokens_[first - 1].end;
        for (size_t t = first; t < tokens_.size(); ++t) Visit(t);
        shape.overOneTable = oneTable_ && tableNamed_;
        return shape;
    }

  private:
    void Visit(size_t t) {
        if (IsSymbol(t, u'(')) {
            if (depth_ == 0 && inFrom_) oneTable_ = false;  // a subquery or a table function
            ++depth_;
        } else if (IsSymbol(t, u')')) {
            --depth_;
        } else if (depth_ == 0) {
            VisitOuter(t);
        }
    }

    void VisitOuter(size_t t) {
        if (IsSymbol(t, u';'))
            oneTable_ = oneTable_ && t + 1 == tokens_.size();  // a second statement
        else if (IsSymbol(t, u','))
            oneTable_ = oneTable_ && !inFrom_;  // a second table
        else if (IsWord(t, "FROM"))
            inFrom_ = true;
        else if (IsWord(t, "WHERE") || IsWord(t, "ORDER") || IsWord(t, "LIMIT"))
            inFrom_ = false;
        else if (BreaksRows(t))
            oneTable_ = false;
        else if (inFrom_)
            tableNamed_ = true;
    }

    // Words after which the rows are no longer the rows of one table.
    bool BreaksRows(size_t t) const {
        static const char* const kWords[] = {"DISTINCT", "GROUP",  "HAVING",    "WINDOW",
                                             "OVER",     "UNION",  "INTERSECT", "EXCEPT",
                                             "JOIN",     "VALUES", "SELECT"};
        for (const char* word : kWords)
            if (IsWord(t, word)) return true;
        return false;
    }
    bool IsWord(size_t t, const char* word) const {
        const Token& token = tokens_[t];
        return token.kind == Kind::Word &&
               QStringView(sql_)
                       .sliced(token.begin, token.end - token.begin)
                       .compare(QLatin1StringView(word), Qt::CaseInsensitive) == 0;
    }
    bool IsSymbol(size_t t, char16_t symbol) const {
        return tokens_[t].kind == Kind::Symbol && sql_[tokens_[t].begin] == symbol;
    }

    const QString& sql_;
    std::vector<Token> tokens_;
    int depth_ = 0;
    bool inFrom_ = false;
    bool tableNamed_ = false;
    bool oneTable_ = true;
};

}  // namespace

SelectShape ReadSelectShape(const QString& sql) {
    return Reader(sql).Read();
}

}  // namespace platform
