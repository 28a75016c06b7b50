<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="ru">
<context>
    <name>Varnel</name>
    <message numerus="yes">
        <source>… и ещё %n полос</source>
        <translation>
            <numerusform>… и ещё %n полоса</numerusform>
            <numerusform>… и ещё %n полосы</numerusform>
            <numerusform>… и ещё %n полос</numerusform>
        </translation>
    </message>
</context>
</TS>
