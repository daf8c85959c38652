// The collection Designer loads: both views of the control library.

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include "ViewPlugin.h"
#include "plotmere/plotview/ui/KoutenView.h"
#include "plotmere/plotview/ui/PlotViewEx.h"

class PlotmereWidgets : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

  public:
    explicit PlotmereWidgets(QObject* parent = nullptr) : QObject(parent) {
        views_ << new ViewPlugin(QStringLiteral("PlotViewEx"), QStringLiteral("点と結線の図（X 北・Y 東）"),
                                 [](QWidget* p) { return new plotmere::PlotViewEx(p); }, this)
               << new ViewPlugin(QStringLiteral("KoutenView"), QStringLiteral("二要素の交点の図"),
                                 [](QWidget* p) { return new plotmere::KoutenView(p); }, this);
    }
    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return views_; }

  private:
    QList<QDesignerCustomWidgetInterface*> views_;
};

#include "PlotmereWidgets.moc"
