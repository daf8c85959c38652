#include "ViewPlugin.h"

ViewPlugin::ViewPlugin(QString className, QString toolTip, Factory factory, QObject* parent)
    : QObject(parent), className_(std::move(className)), toolTip_(std::move(toolTip)), factory_(std::move(factory)) {}

QString ViewPlugin::includeFile() const {
    return QStringLiteral("plotmere/plotview/ui/") + className_ + QStringLiteral(".h");
}

// A new view on a form: named after its class, 240 × 180 pixels.
QString ViewPlugin::domXml() const {
    return QStringLiteral(
               "<ui language=\"c++\"><widget class=\"plotmere::%1\" name=\"%1\">"
               "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>240</width><height>180</height></rect>"
               "</property></widget></ui>")
        .arg(className_);
}
