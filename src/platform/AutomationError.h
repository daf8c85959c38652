#pragma once
// An error that reaches the host through the automation interface: a number, the source
// that raised it and a description, as collections and classes of the program raise them.

#include <QString>
#include <stdexcept>

namespace platform {

class AutomationError : public std::runtime_error {
  public:
    AutomationError(qint32 number, QString source, QString description);
    qint32 Number() const { return number_; }
    const QString& Source() const { return source_; }
    const QString& Description() const { return description_; }

    // The errors a keyed collection raises for a missing element.
    static AutomationError InvalidArgument(const QString& source);      // error 5
    static AutomationError SubscriptOutOfRange(const QString& source);  // error 9

  private:
    qint32 number_;
    QString source_;
    QString description_;
};

}  // namespace platform
