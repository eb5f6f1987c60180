// How the program's message boxes reach the user. The desktop shows a modal box captioned
// with the application title; tests install a recorder so that nothing blocks.
#pragma once

#include "display/enginehost.h"

#include <QString>

namespace qrv {

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual void show(const QString& text, Icon icon) = 0;
};

class MessageBoxPresenter : public MessagePresenter {
public:
    void show(const QString& text, Icon icon) override;
};

} // namespace qrv
