#pragma once
// For the few places that talk to the Firebird client library themselves, beside the
// Qt driver: the attachment of an open connection and the engine's status vector.
#include <QByteArray>
#include <QString>
#include <ibase.h>

class QSqlDatabase;

namespace Firebird {

// The attachment of an open QIBASE connection; 0 when it is not open. The driver hands
// it out as a variant of the client's integer handle type.
isc_db_handle attachmentOf(const QSqlDatabase &db);

// Whether a status vector holds an error, and its text with the SQL code.
bool failed(const ISC_STATUS *status);
QString statusText(const ISC_STATUS *status);

// Starts a transaction on an attachment with the parameter block. False, with the
// reason in *error when given, when there is no attachment or the engine refuses.
bool startTransaction(isc_db_handle db, isc_tr_handle *tr, const char *tpb, short tpbLength, QString *error);

// Appends a tag with a short value (one length byte) to a parameter block.
void appendParameter(QByteArray &block, char tag, const QByteArray &value);
// A database parameter block with the user and the password, for isc_attach_database.
QByteArray attachBlock(const QString &user, const QString &password);

} // namespace Firebird
