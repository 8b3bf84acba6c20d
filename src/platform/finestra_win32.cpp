// The wait window and the message box as Windows draws them: a top-level
// window with the one label, painted once and then left as it is while the
// run goes on (it handles no input), and MessageBoxW with OK alone.
#include "platform/finestra_win32.h"

#include "platform/flussi_standard.h"
#include "platform/win32.h"

namespace compattatore::piattaforma {

namespace {

constexpr const wchar_t* CLASSE = L"compattatore_attesa";
constexpr const wchar_t* TITOLO = L"compattatore";
constexpr const wchar_t* ETICHETTA = L"Attendere";

// The client area and the label, in pixels at 96 dots per inch.
constexpr int LARGHEZZA_FINESTRA = 280, ALTEZZA_FINESTRA = 179;
constexpr RECT RIQUADRO_ETICHETTA{64, 64, 64 + 177, 64 + 53};
// 24 points bold: 32 pixels at 96 dots per inch.
constexpr int PIXEL_ETICHETTA = 32;

LRESULT CALLBACK procedura(HWND finestra, UINT messaggio, WPARAM w, LPARAM l) {
    if (messaggio != WM_PAINT) return DefWindowProcW(finestra, messaggio, w, l);
    PAINTSTRUCT pittura;
    const HDC dc = BeginPaint(finestra, &pittura);
    const HFONT carattere =
        CreateFontW(-PIXEL_ETICHETTA, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
    const HGDIOBJ prima = SelectObject(dc, carattere);
    SetBkMode(dc, TRANSPARENT);
    RECT riquadro = RIQUADRO_ETICHETTA;
    DrawTextW(dc, ETICHETTA, -1, &riquadro, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, prima);
    DeleteObject(carattere);
    EndPaint(finestra, &pittura);
    return 0;
}

class FinestraWin32 : public Interfaccia {
public:
    FinestraWin32() = default;
    FinestraWin32(const FinestraWin32&) = delete;
    FinestraWin32& operator=(const FinestraWin32&) = delete;
    ~FinestraWin32() override {
        if (finestra_ != nullptr) DestroyWindow(finestra_);
    }

    void mostra_attesa() override {
        const HINSTANCE istanza = GetModuleHandleW(nullptr);
        WNDCLASSW classe{};
        classe.lpfnWndProc = procedura;
        classe.hInstance = istanza;
        classe.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));  // IDC_WAIT
        classe.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        classe.lpszClassName = CLASSE;
        RegisterClassW(&classe);
        constexpr DWORD STILE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        RECT esterno{0, 0, LARGHEZZA_FINESTRA, ALTEZZA_FINESTRA};
        AdjustWindowRect(&esterno, STILE, FALSE);
        finestra_ =
            CreateWindowExW(0, CLASSE, TITOLO, STILE, CW_USEDEFAULT, CW_USEDEFAULT, esterno.right - esterno.left,
                            esterno.bottom - esterno.top, nullptr, nullptr, istanza, nullptr);
        // Without a window the console tells the same.
        if (finestra_ == nullptr) {
            crea_console()->mostra_attesa();
            return;
        }
        ShowWindow(finestra_, SW_SHOWNORMAL);
        // Painted now, not when a message loop would come round to it.
        RedrawWindow(finestra_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }

    void messaggio(const std::string& testo) override {
        scrivi_su_errore(testo + "\n");
        MessageBoxW(finestra_, largo(testo).c_str(), TITOLO, MB_OK);
    }

private:
    HWND finestra_ = nullptr;
};

}  // namespace

std::unique_ptr<Interfaccia> crea_finestra_win32() { return std::make_unique<FinestraWin32>(); }

}  // namespace compattatore::piattaforma
