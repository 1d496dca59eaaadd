#!/usr/bin/env python3
"""Writes assets/QInsert.lst, the default quick-insert snippets.

The editor reads the file as UTF-16 LE after a two-byte mark, one snippet a
line ended by CR LF: leading tabs nest a title into the submenu opened by the
line above, "title|text" inserts text, "%SEPARATOR%" is a separator line.
Macros in the text: %D %M %Y date, %h %m %s time, %L line break, %% percent
sign, %! where the selection stays (the caret ends after it).
"""
import os

SNIPPETS = """\
Дата|%D.%M.%Y
Время|%h:%m
Дата и время|%D.%M.%Y %h:%m:%s
Новая строка|%L
HTML
\tАбзац <p>|<p>%!</p>
\tЖирный <b>|<b>%!</b>
\tКурсив <i>|<i>%!</i>
\tСсылка <a>|<a href="">%!</a>
\tПеренос <br>|<br>%L
\t%SEPARATOR%
\tЗаголовки
\t\t<h1>|<h1>%!</h1>
\t\t<h2>|<h2>%!</h2>
\t\t<h3>|<h3>%!</h3>
%SEPARATOR%
Знак процента|%%
"""

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
with open(os.path.join(root, "assets", "QInsert.lst"), "wb") as out:
    out.write(b"\xff\xfe" + SNIPPETS.replace("\n", "\r\n").encode("utf-16-le"))
