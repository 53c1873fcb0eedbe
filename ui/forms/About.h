// The About box: product name, version, rights notice and a freeware remark.
#pragma once

#include "ui/framework/Form.h"
#include "ui/win32/Handles.h"

namespace quillfen {

class TAboutBox : public Form {
public:
    explicit TAboutBox(TApplication& application);
    ~TAboutBox() override;

protected:
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    // The product, version, rights and remark lines, as a message box's text is read.
    WideString AccessibleDescription() const override;
    HWND CreateCustomControl(const ControlDescription& item, HWND parent, RECT bounds) override;

private:
    static constexpr int kPictureSize = 32;
    IconHandle picture_;
    int pictureSize_ = kPictureSize;
};

const FormTable<TAboutBox>& AboutBoxDescription();

// The About box of the running application; null until it is built and after it is gone.
TAboutBox* AboutBox() noexcept;

}  // namespace quillfen
