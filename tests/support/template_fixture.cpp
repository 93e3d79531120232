// SPDX-License-Identifier: MIT
#include "template_fixture.h"

#include "windows.h"

#include <QCoreApplication>

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
    return testing::showActive(window);
}

frmMain* TemplateFixture::openPicker() {
    host->show();
    return host->picker();
}

} // namespace hueprint::testing
