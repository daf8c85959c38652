#pragma once
#include <QString>
#include <stdexcept>

namespace platform {

// A failing database operation: the engine's code and a description fit to show a user.
class DbError : public std::runtime_error {
  public:
    explicit DbError(QString description, int code = 0);
    const QString& Description() const { return description_; }
    int Code() const { return code_; }

  private:
    QString description_;
    int code_;
};

}  // namespace platform
