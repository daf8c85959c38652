#pragma once
// Where the control library's messages go: the host shows them its own way.

#include <QString>

namespace plotmere {

class Prompt {
  public:
    virtual ~Prompt() = default;
    virtual void Show(const QString& text) = 0;
};

}  // namespace plotmere
