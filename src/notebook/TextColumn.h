#pragma once
// A text field of a notebook table and the member of the row type that holds it: the one
// list of a table's text fields that its readers and writers share.

#include <QString>
#include <QStringView>
#include <span>

namespace notebook {

template <typename Row>
struct TextColumn {
    QStringView name;
    QString Row::*member;
};

}  // namespace notebook
