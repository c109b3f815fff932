// tankdemo-gallery: one window showing the tree-list with options the demo never switches on.
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "GalleryTree.h"
#include "platform/Color.h"
#include "platform/QtControlHost.h"

int main(int argc, char** argv) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (!(platform && *platform) && !(x11 && *x11) && !(wayland && *wayland)) {
    std::fprintf(stderr,
                 "tankdemo-gallery: no display found; run it as `xvfb-run "
                 "tankdemo-gallery`, or draw it with tankdemo-snapshot --gallery-tree\n");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tankdemo-gallery"));
  SetCurrentPalette(TSystemPalette::Desktop());
  TTreeList tree;
  TGalleryImages images;
  BuildGalleryTree(tree, images);
  QWidget* window = CreateQtControlHost(tree);
  window->setWindowTitle(QStringLiteral("Tree-list gallery"));
  window->resize(kGalleryTreeWidth, kGalleryTreeHeight);
  window->show();
  const int result = app.exec();
  delete window;
  return result;
}
