# Precompiled Qt headers. Parsing Qt's headers is most of the compile time of a
# file here (a test spends ~95% of it there), so each library precompiles the
# headers of the Qt modules it uses, and all tests share one precompiled header.
option(TALLYFERN_PCH "Precompile the Qt headers" ON)

set(TALLYFERN_PCH_Core <QObject> <QString> <QStringList> <QList> <QHash> <QSet> <QVariant> <QDate>
    <QDateTime> <QDebug> <QTimer> <QPointer> <QUrl> <QUuid> <QJsonArray> <QJsonDocument> <QJsonObject>
    <QSettings> <QFile> <QDir> <QRegularExpression> <QLocale> <functional> <optional> <memory>)
set(TALLYFERN_PCH_Sql <QSqlDatabase> <QSqlError> <QSqlQuery> <QSqlRecord>)
set(TALLYFERN_PCH_Network <QNetworkAccessManager> <QNetworkReply> <QNetworkRequest> <QTcpServer>
    <QTcpSocket> <QUrlQuery>)
set(TALLYFERN_PCH_Gui <QColor> <QFont> <QPalette> <QDesktopServices> <QKeyEvent>)
set(TALLYFERN_PCH_Widgets <QApplication> <QWidget> <QDialog> <QDialogButtonBox> <QLabel> <QPushButton>
    <QLineEdit> <QComboBox> <QVBoxLayout> <QHBoxLayout> <QFormLayout> <QMessageBox> <QMainWindow> <QMenu>
    <QAction> <QHeaderView> <QStyledItemDelegate> <QTableView>)
set(TALLYFERN_PCH_Test <QTest> <QSignalSpy>)

# tallyfern_precompile(<target> <Qt modules...>)
function(tallyfern_precompile target)
    if(NOT TALLYFERN_PCH)
        return()
    endif()
    set(headers)
    foreach(module IN LISTS ARGN)
        list(APPEND headers ${TALLYFERN_PCH_${module}})
    endforeach()
    target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
