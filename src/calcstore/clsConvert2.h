#pragma once
// The hand-off object: collects one calculation (name, folder, type, points, parameters and
// an element table) and offers it to the host through SaveStart. One per KobelinDlg.

#include <QString>
#include <QVariant>
#include <memory>

#include "calcstore/CalcNameChooser.h"
#include "calcstore/Elements.h"
#include "calcstore/InputItem.h"
#include "calcstore/clsCoord.h"
#include "platform/KeyedList.h"

namespace calcstore {

// Receives the hand-off object's three events; KobelinDlg forwards them to the host.
class clsConvert2Events {
  public:
    virtual ~clsConvert2Events() = default;
    virtual void RefreshRegion(qint32 regionId) = 0;
    virtual void SaveStart(bool& saveOk) = 0;
    virtual void ProgramEnd() = 0;
};

class clsConvert2 {
  public:
    clsConvert2();

    void SetEvents(clsConvert2Events* events) { events_ = events; }
    // The way GetCalcName asks the user; owned by this object. None: GetCalcName gives false.
    void SetCalcNameChooser(std::unique_ptr<CalcNameChooser> chooser);

    // Lets the user name the new calculation entry of type calcNo and choose its folder.
    // ok true: CalcName, CalcNo and CalcParentID hold the choice. ok false: cancelled (all
    // three emptied), a type code that is none (told to the user, nothing changed) or no
    // chooser installed (nothing changed). Folders renamed meanwhile raise RefreshRegion.
    void GetCalcName(qint32 calcNo, bool& ok);

    // Adds a point under key "C<id>"; a second point with the same id is ignored.
    void AddZahyou(const QString& name, qint32 id, const QString& memo, double z);
    // By 1-based position or key; throws AutomationError when missing.
    clsCoord& ItemZahyou(const QVariant& index) const { return points_.Item(index); }
    // The current id of the point added under oldId, 0 when there is none.
    qint32 GetNewZahyouID(qint32 oldId) const;
    int ZahyouCount() const { return points_.Count(); }

    void AddParameter(qint32 type, const QVariant& value);
    int GetParameterCount() const { return parameters_.Count(); }
    QVariant GetParameterValue(int index) const { return parameters_.Item(index).Value(); }
    QVariant GetParameterType(int index) const { return parameters_.Item(index).ValueType(); }
    const platform::KeyedList<InputItem>& Parameters() const { return parameters_; }

    void AddElementCols(qint32 type) { GetElements().AddCols(type); }
    int ElementsColsCount() { return GetElements().Cols(); }
    Elements& GetElements();
    // The element table when one was made, for readers that must not create it.
    const Elements* ElementsIfAny() const { return elements_.get(); }

    qint32 CalcNo() const { return calcNo_; }
    qint32 CalcParentID() const { return calcParentId_; }
    const QString& CalcName() const { return calcName_; }
    // Set by the registration step that names and places the calculation.
    void SetCalcEntry(qint32 calcNo, const QString& name, qint32 parentId);

    // Raises SaveStart with saveOk false and returns what the host left in it.
    bool Save(bool& saveOk);
    // Empties points, parameters and the element table; the parameter counter stays.
    void Clear();
    // The point name the program's numbering rules give for a point number.
    QString GetTenName(const QString& number) const;
    // Clears the program's numbering rules, then raises ProgramEnd.
    void ProgEnd();
    // Forwards the registration dialog's RefreshRegion.
    void RaiseRefreshRegion(qint32 regionId);

  private:
    clsConvert2Events* events_ = nullptr;
    std::unique_ptr<CalcNameChooser> chooser_;
    platform::KeyedList<clsCoord> points_;
    platform::KeyedList<InputItem> parameters_;
    qint32 parameterCounter_ = 0;
    std::unique_ptr<Elements> elements_;
    QString calcName_;
    qint32 calcParentId_ = 0;
    qint32 calcNo_ = 0;
};

}  // namespace calcstore
