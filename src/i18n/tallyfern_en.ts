<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ImportNotices</name>
    <message numerus="yes">
        <source>Create %n new categor(y/ies)</source>
        <translation>
            <numerusform>Create %n new category</numerusform>
            <numerusform>Create %n new categories</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportScreen</name>
    <message numerus="yes">
        <source>Imported %n transaction(s)</source>
        <translation>
            <numerusform>Imported %n transaction</numerusform>
            <numerusform>Imported %n transactions</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... and %n more</numerusform>
            <numerusform>... and %n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 and made %n new categor(y/ies)</source>
        <translation>
            <numerusform>%1 and made %n new category</numerusform>
            <numerusform>%1 and made %n new categories</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message numerus="yes">
        <source>%n transfer(s) link it to other accounts; their other side stays there as it is.</source>
        <translation>
            <numerusform>%n transfer links it to another account; its other side stays there as it is.</numerusform>
            <numerusform>%n transfers link it to other accounts; their other side stays there as it is.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PayeeScreen</name>
    <message numerus="yes">
        <source>Renamed %n transaction(s).</source>
        <translation>
            <numerusform>Renamed %n transaction.</numerusform>
            <numerusform>Renamed %n transactions.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Merged %n transaction(s).</source>
        <translation>
            <numerusform>Merged %n transaction.</numerusform>
            <numerusform>Merged %n transactions.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsDataSyncPage</name>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... and %n more</numerusform>
            <numerusform>... and %n more</numerusform>
        </translation>
    </message>
</context>
</TS>
