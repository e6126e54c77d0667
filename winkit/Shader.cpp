#include "winkit/Shader.h"

#include <vector>

#include "winkit/Paint.h"

namespace winkit {
namespace {

constexpr wchar_t kShaderClass[] = L"WinkitShader";

void PaintShading(HWND panel, HDC dc) {
    const auto* settings = reinterpret_cast<const ShaderSettings*>(GetWindowLongPtrW(panel, GWLP_USERDATA));
    RECT client{};
    GetClientRect(panel, &client);
    if (!settings || client.right <= 0 || client.bottom <= 0) return;
    // Direction false: the halves lie one above the other, in horizontal bands.
    bool perRow = !settings->direction;
    std::vector<Color> line(perRow ? client.bottom : client.right);
    ShadeLine(settings->colors, line);
    FillLine(dc, client, line, perRow);
}

LRESULT CALLBACK ShaderProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_ERASEBKGND:
        return 1;  // all painting happens off-screen in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(panel, &paint);
        RECT client{};
        GetClientRect(panel, &client);
        {
            Canvas canvas(dc, client);
            PaintShading(panel, canvas.dc());
        }
        EndPaint(panel, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintShading(panel, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SIZE:
        // Every band moves with the size, and the transparent children show
        // the panel through them: repaint it all.
        RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        return 0;
    case WM_DRAWITEM:
        return ReflectDrawItem(lParam);
    case WM_COMMAND:
    case WM_NOTIFY:
        // Clicks of the controls on the panel belong to the form.
        return SendMessageW(GetAncestor(panel, GA_ROOT), message, wParam, lParam);
    }
    return DefWindowProcW(panel, message, wParam, lParam);
}

}  // namespace

HWND CreateShader(HWND parent, int id, const RECT& bounds, const ShaderSettings& settings) {
    static const ATOM registered = [] {
        WNDCLASSEXW windowClass{sizeof windowClass};
        windowClass.lpfnWndProc = ShaderProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kShaderClass;
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;
    return CreateWindowExW(WS_EX_CONTROLPARENT, kShaderClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                           bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           const_cast<ShaderSettings*>(&settings));
}

}  // namespace winkit
