#include "platform/DbError.h"

namespace platform {

DbError::DbError(QString description, int code)
    : std::runtime_error(description.toStdString()),
      description_(std::move(description)),
      code_(code) {}

}  // namespace platform
