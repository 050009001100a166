// A document window with its drawing view as the documents tests need them:
// the document record in window word 0, the view record in the view's word.
#pragma once
#include <windows.h>

class DocumentWindows {
public:
    DocumentWindows();
    ~DocumentWindows();
    DocumentWindows(const DocumentWindows&) = delete;
    DocumentWindows& operator=(const DocumentWindows&) = delete;

    HWND document() const { return document_; }
    HWND view() const { return view_; }

private:
    HWND document_ = nullptr;
    HWND view_ = nullptr;
};
