#pragma once

#include <QByteArray>

// The worked example of the file format: 計画 (expanded, text "first", "second") with
// the child 詳細 (collapsed, empty text), then メモ (collapsed, text "x").
inline const QByteArray kWorkedExample(
    "qlm oe data form 1.3\r\n"
    "Tree=3,0=2,1=0,2=1\r\n"
    "nil:\x8C\x76\x89\xE6:1\r\n"
    "0:\x8F\xDA\x8D\xD7:0\r\n"
    "nil:\x83\x81\x83\x82:0\r\n"
    "first\r\n"
    "second\r\n"
    "x\r\n");
