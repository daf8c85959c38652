// The Designer plugin as Designer loads it: both views in the Plotmere group, each made on
// a form with the header a generated form includes.

#include <gtest/gtest.h>

#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <memory>

#include "plotmere/plotview/ui/KoutenView.h"
#include "plotmere/plotview/ui/PlotViewEx.h"

namespace {

TEST(DesignerPlugin, OffersBothViews) {
    QPluginLoader loader(QStringLiteral(PLOTMERE_DESIGNER_PLUGIN));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    ASSERT_NE(collection, nullptr) << loader.errorString().toStdString();
    const auto widgets = collection->customWidgets();
    ASSERT_EQ(widgets.size(), 2);
    QWidget form;
    for (QDesignerCustomWidgetInterface* w : widgets) {
        EXPECT_EQ(w->group(), QStringLiteral("Plotmere"));
        EXPECT_TRUE(w->domXml().contains(w->name())) << w->name().toStdString();
        QWidget* made = w->createWidget(&form);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(QString::fromLatin1(made->metaObject()->className()), w->name());
        EXPECT_EQ(w->includeFile(), QStringLiteral("plotmere/plotview/ui/") + w->name().mid(10) + QStringLiteral(".h"));
    }
    EXPECT_NE(qobject_cast<plotmere::KoutenView*>(widgets[1]->createWidget(&form)), nullptr);
}

}  // namespace
