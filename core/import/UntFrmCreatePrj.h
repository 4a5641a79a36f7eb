#pragma once

#include "platform/framework/Forms.h"

namespace lu {
class TLuRichEdit;
}

namespace tarnwick {

// The package's project, shown before the project is created from the package: "建立" confirms,
// "取消" or closing the window cancels.
class TFrmCreatePrj : public framework::TForm {
public:
    explicit TFrmCreatePrj(framework::TComponent* owner);

    lu::TLuRichEdit& RichEditPrjInfo() const;
};

} // namespace tarnwick
