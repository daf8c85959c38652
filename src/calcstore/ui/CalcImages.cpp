#include "calcstore/ui/CalcImages.h"

#include <QApplication>
#include <QStyle>

namespace calcstore_ui {

QIcon CalcIcon(CalcImage image) {
    switch (image) {
        case CalcImage::Root:
            return QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon);
        case CalcImage::Folder:
            return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
        case CalcImage::Data:
            return QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    }
    return {};
}

}  // namespace calcstore_ui
