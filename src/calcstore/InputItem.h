#pragma once
// One typed value of calculation input: a parameter, or a cell of an element table.

#include <QString>
#include <QVariant>

namespace calcstore {

// Value-type codes of calculation input, as the host reads them.
enum ValueTypeCode : qint32 {
    kTypeString = 0,
    kTypeInteger = 1,
    kTypeDouble = 2,
    kTypeRefSokuten = 3,  // reference to a survey point (its identifier)
    kTypeBoolean = 4,
    kTypeSokuten = 5,  // a survey point (its identifier)
};

class InputItem {
  public:
    // The value typed by ValueType: QString; qint32 for 1, 3 and 5; double; bool.
    QVariant Value() const;
    // Takes the type from the variant: text 0, 16/32-bit integer 1, double 2, Boolean 4.
    // A variant of any other kind leaves the item unchanged.
    void SetValueFromVariant(const QVariant& value);
    void SetRefSokuten(qint32 pointId) { SetValue(kTypeRefSokuten, pointId); }
    void SetSokuten(qint32 pointId) { SetValue(kTypeSokuten, pointId); }
    // Stores the value converted to the type; an unknown type code changes nothing.
    // Throws AutomationError 13 when the value does not convert.
    void SetValue(qint32 type, const QVariant& value);
    qint32 ValueType() const { return type_; }
    // Sets the type and resets the value (empty, 0, 0.0 or false); unknown codes are ignored.
    void InitValue(qint32 type);

    const QString& Tag() const { return tag_; }
    void SetTag(const QString& tag) { tag_ = tag; }
    qint32 Serial() const { return serial_; }
    void SetSerial(qint32 serial) { serial_ = serial; }
    qint32 CalcID() const { return calcId_; }
    void SetCalcID(qint32 id) { calcId_ = id; }
    const QString& colID() const { return colId_; }
    const void* Parent() const { return parent_; }

    // Only the owning collection sets these.
    void SetOwner(const QString& key, const void* parent) {
        colId_ = key;
        parent_ = parent;
    }

  private:
    qint32 type_ = kTypeString;
    QString text_;
    double number_ = 0;
    qint32 integer_ = 0;  // types 1, 3, 5; 0 or -1 for type 4
    QString tag_;
    qint32 serial_ = 0;
    qint32 calcId_ = 0;
    QString colId_;
    const void* parent_ = nullptr;
};

}  // namespace calcstore
