// Not built: what check_tr must refuse, one bare caption per kind of call.
void Screen::Show()
{
    ui->labelStatus->setText(QStringLiteral("Saved."));
    QMessageBox::warning(this, tr("Export"), "Could not write the file.");
    const QStringList headers = {QString(), tr("Code"), QStringLiteral("Name")};
    ErrorDialog note(QStringLiteral("err_msg_1"), QStringLiteral("Print to PDF"), text); // key passes
    ui->labelCount->setText(QStringLiteral("%1").arg(count)); // no words: not a caption
    ui->editKey->setText(QStringLiteral("DB_SERVER")); // not translated: a settings key
}
