#pragma once
// One of the control library's views as Designer offers it.

#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

class ViewPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

  public:
    using Factory = std::function<QWidget*(QWidget*)>;
    ViewPlugin(QString className, QString toolTip, Factory factory, QObject* parent);

    QString name() const override { return QStringLiteral("plotmere::") + className_; }
    QString group() const override { return QStringLiteral("Plotmere"); }
    QString toolTip() const override { return toolTip_; }
    QString whatsThis() const override { return toolTip_; }
    QString includeFile() const override;
    QIcon icon() const override { return {}; }
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override { return factory_(parent); }
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface*) override { initialized_ = true; }
    QString domXml() const override;

  private:
    QString className_;
    QString toolTip_;
    Factory factory_;
    bool initialized_ = false;
};
