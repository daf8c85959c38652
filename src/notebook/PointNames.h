#pragma once
// The point names the notebook writes: every station and target name goes through the
// hand-off object's point-name look-up (a point number becomes the name the district's
// numbering rules give it). Names repeat from station to station; each is looked up once.

#include <QHash>
#include <QString>
#include <functional>

namespace notebook {

class PointNames {
  public:
    using LookUp = std::function<QString(const QString&)>;
    // Without a look-up every name stays as written.
    explicit PointNames(LookUp lookUp) : lookUp_(std::move(lookUp)) {}
    QString operator()(const QString& name);

  private:
    LookUp lookUp_;
    QHash<QString, QString> known_;
};

}  // namespace notebook
