#include "app/app_state.h"

AppState g_app;

CDocument* CurrentDocument()
{
    if (g_app.current < 0 || g_app.current >= g_app.documents.count)
        return nullptr;
    return g_app.documents[g_app.current];
}

bool IsVgaScreen()
{
    int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return (width > height ? width : height) > 400;
}
