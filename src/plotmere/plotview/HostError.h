#pragma once
// An error the controls raise to their host, numbered as the host's runtime numbers it
// (9: subscript out of range, 13: type mismatch, 6: overflow).

#include <QString>
#include <stdexcept>

namespace plotmere {

class HostError : public std::runtime_error {
  public:
    HostError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description) {}
    int Number() const { return number_; }
    const QString& Description() const { return description_; }

    static HostError SubscriptOutOfRange() { return {9, QStringLiteral("インデックスが有効範囲にありません。")}; }
    static HostError TypeMismatch() { return {13, QStringLiteral("型が一致しません。")}; }
    static HostError Overflow() { return {6, QStringLiteral("オーバーフローしました。")}; }

  private:
    int number_;
    QString description_;
};

}  // namespace plotmere
