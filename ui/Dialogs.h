// The folder dialog Tfm_dir, the after-finish dialog Tfm_set, the about box Tfm_about and the
// brands' web links.
#pragma once

#include "ui/MainContext.h"

class Dialogs : public DialogsPort {
public:
    explicit Dialogs(MainContext& ctx);
    ~Dialogs() override;

    void ChooseFolder(const QString& caption) override;
    void ShowFinishDialog() override;
    void ShowAbout() override;

private:
    MainContext& ctx_;
};
