// SPDX-License-Identifier: MIT
#include "template_fixture.h"

#include <QApplication>
#include <QTest>

namespace hueprint::testing {

TemplateFixture::TemplateFixture()
    : host(std::make_unique<PickerHost>(platform.services)),
      window(new Form1(platform.services, *host)) {}

TemplateFixture::~TemplateFixture() {
    host->unload();
    delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool TemplateFixture::showActive() {
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

} // namespace hueprint::testing
