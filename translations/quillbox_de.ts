<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AbandonedBaskets</name>
    <message>
        <location filename="../src/pos/abandonedbaskets.cpp" line="+15"/>
        <source>Abandoned Baskets</source>
        <translation>Abgebrochene Warenkörbe</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>Unpaid baskets older than %n hour(s):</source>
        <translation>
            <numerusform>Unbezahlte Warenkörbe, älter als %n Stunde:</numerusform>
            <numerusform>Unbezahlte Warenkörbe, älter als %n Stunden:</numerusform>
        </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Till</source>
        <translation>Kasse</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Lines</source>
        <translation>Positionen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last entry</source>
        <translation>Letzte Eingabe</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Put back into stock</source>
        <translation>In den Bestand zurücklegen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The open baskets could not be read.</source>
        <translation>Die offenen Warenkörbe konnten nicht gelesen werden.</translation>
    </message>
    <message numerus="yes">
        <location line="+22"/>
        <source>The stock of %n basket(s) is back.</source>
        <translation>
            <numerusform>Der Bestand von %n Warenkorb ist zurück.</numerusform>
            <numerusform>Der Bestand von %n Warenkörben ist zurück.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The stock could not be put back. Nothing was changed.</source>
        <translation>Der Bestand konnte nicht zurückgelegt werden. Nichts wurde geändert.</translation>
    </message>
</context>
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../src/shell/aboutdialog.ui" line="+6"/>
        <source>About Quillbox (Pro)</source>
        <translation>Über Quillbox (Pro)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Quillbox</source>
        <translation>Quillbox</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Quillbox (Pro)</source>
        <translation>Quillbox (Pro)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;a href=&quot;mailto:support@quillbox.example&quot;&gt;support@quillbox.example&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;mailto:support@quillbox.example&quot;&gt;support@quillbox.example&lt;/a&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;a href=&quot;https://www.quillbox.example&quot;&gt;www.quillbox.example&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;https://www.quillbox.example&quot;&gt;www.quillbox.example&lt;/a&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;a href=&quot;https://social.quillbox.example/quillbox&quot;&gt;Quillbox on social media&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;https://social.quillbox.example/quillbox&quot;&gt;Quillbox in sozialen Medien&lt;/a&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Check Version</source>
        <translation>Version prüfen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This program is provided &quot;as is&quot;, without warranty of any kind, express or implied, including but not limited to the warranties of merchantability, fitness for a particular purpose and noninfringement. In no event shall the authors or copyright holders be liable for any claim, damages or other liability arising from, out of or in connection with the program or its use. Keep backups of your databases.</source>
        <translation>Dieses Programm wird „wie besehen“ bereitgestellt, ohne ausdrückliche oder stillschweigende Gewährleistung jeglicher Art, einschließlich, aber nicht beschränkt auf die Gewährleistung der Marktgängigkeit, der Eignung für einen bestimmten Zweck und der Nichtverletzung von Rechten. In keinem Fall haften die Autoren oder Rechteinhaber für Ansprüche, Schäden oder sonstige Haftung, die aus dem Programm oder seiner Nutzung entstehen. Sichern Sie Ihre Datenbanken regelmäßig.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Third Party</source>
        <translation>Drittanbieter</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quillbox (Pro) uses the Qt libraries (Qt 5), copyright The Qt Company Ltd. and other contributors.

The Qt libraries are used under the terms of the GNU Lesser General Public License (LGPL) version 3. The program links to them dynamically; you may replace them with a modified version of your own. The license text and the source code of the Qt libraries are available from the Qt project.

The MySQL client library is used through Qt&apos;s database driver.</source>
        <translation>Quillbox (Pro) verwendet die Qt-Bibliotheken (Qt 5), Copyright The Qt Company Ltd. und weitere Beitragende.

Die Qt-Bibliotheken werden unter den Bedingungen der GNU Lesser General Public License (LGPL) Version 3 verwendet. Das Programm bindet sie dynamisch ein; Sie können sie durch eine eigene veränderte Fassung ersetzen. Lizenztext und Quellcode der Qt-Bibliotheken sind beim Qt-Projekt erhältlich.

Die MySQL-Client-Bibliothek wird über den Datenbanktreiber von Qt verwendet.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>AddEditProductDialog</name>
    <message>
        <location filename="../src/catalogue/addeditproductdialog.ui" line="+14"/>
        <source>Edit Product</source>
        <translation>Produkt bearbeiten</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Product Details</source>
        <translation>Produktdetails</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Code/Bar Code *</source>
        <translation>Code/Strichcode *</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Enter alphanumeric product code&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Alphanumerischen Produktcode eingeben&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Auto Generate</source>
        <translation>Automatisch erzeugen</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Name *</source>
        <translation>Name *</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Items Per Unit *</source>
        <translation>Stück pro Einheit *</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>What is this?</source>
        <translation>Was ist das?</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Category *</source>
        <translation>Kategorie *</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Tax Rate</source>
        <translation>Steuersatz</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>0.00</source>
        <translation>0.00</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Select Image...</source>
        <translation>Bild auswählen...</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/catalogue/addeditproductdialog.cpp" line="+96"/>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="+70"/>
        <source>Product with code ( %1 ) updated successfull</source>
        <translation>Produkt mit Code ( %1 ) erfolgreich aktualisiert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>System Error: Can not update the product data</source>
        <translation>Systemfehler: Die Produktdaten können nicht aktualisiert werden</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Product with code ( %1 ) added successfully to catalogue</source>
        <translation>Produkt mit Code ( %1 ) erfolgreich in den Katalog aufgenommen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>System Error: Can not add product with code ( %1 ) to catalogue</source>
        <translation>Systemfehler: Produkt mit Code ( %1 ) kann nicht in den Katalog aufgenommen werden</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Select Product Image</source>
        <translation>Produktbild auswählen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Image Files (*.png *.jpg *.bmp)</source>
        <translation>Bilddateien (*.png *.jpg *.bmp)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Items Per Unit Help</source>
        <translation>Hilfe zu Stück pro Einheit</translation>
    </message>
</context>
<context>
    <name>AddEditPurchaseOrder</name>
    <message>
        <location filename="../src/purchasing/addeditpurchaseorder.ui" line="+14"/>
        <source>Add/Edit Purchase Order</source>
        <translation>Bestellung hinzufügen/bearbeiten</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Purchase Order</source>
        <translation>Bestellung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>PO Number</source>
        <translation>Bestellnummer</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Vendor</source>
        <translation>Lieferant</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Vendors...</source>
        <translation>Lieferanten...</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Select according to the status of purchase order. &lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Entsprechend dem Stand der Bestellung auswählen. &lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Sent Date</source>
        <translation>Versanddatum</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Delivery Date</source>
        <translation>Lieferdatum</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;This data will be exported to inventory when the purchase order status is set to RECEIVED.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Diese Daten werden in den Bestand übernommen, sobald der Status der Bestellung auf ERHALTEN gesetzt wird.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Purchase Data</source>
        <translation>Bestelldaten</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Product Code</source>
        <translation>Produktcode</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Enter product code and press enter&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Produktcode eingeben und Eingabetaste drücken&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Stock</source>
        <translation>Bestand</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Purchase Price</source>
        <translation>Einkaufspreis</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Quantity</source>
        <translation>Menge</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Line Total</source>
        <translation>Zeilensumme</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Add Item</source>
        <translation>Position hinzufügen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Search Item</source>
        <translation>Position suchen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Delete Item</source>
        <translation>Position löschen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Inventory Data</source>
        <translation>Bestandsdaten</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Please complete this section on receiving purchase order and before exporting data to inventory</source>
        <translation>Bitte diesen Abschnitt beim Eingang der Bestellung und vor der Übernahme in den Bestand ausfüllen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Sale Price</source>
        <translation>Verkaufspreis</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Batch</source>
        <translation>Charge</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Tax Rate</source>
        <translation>Steuersatz</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Storage Location</source>
        <translation>Lagerort</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Expiry</source>
        <translation>Ablauf</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Update Item</source>
        <translation>Position aktualisieren</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Select the item from pruchase order items. After modifying the data, press this button to update the data&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Position aus den Bestellpositionen auswählen. Nach dem Ändern der Daten diese Schaltfläche drücken, um sie zu aktualisieren&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Selected Purchase Order Items</source>
        <translation>Ausgewählte Bestellpositionen</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Sub Total</source>
        <translation>Zwischensumme</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+20"/>
        <location line="+20"/>
        <source>0.00</source>
        <translation>0.00</translation>
    </message>
    <message>
        <location line="-30"/>
        <source>Tax</source>
        <translation>Steuer</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Total</source>
        <translation>Summe</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location line="+10"/>
        <location filename="../src/purchasing/addeditpurchaseorderprint.cpp" line="+29"/>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Print to PDF</source>
        <translation>Als PDF drucken</translation>
    </message>
    <message>
        <location filename="../src/purchasing/addeditpurchaseorder.cpp" line="+190"/>
        <source>Barcode ( %1 ) does not exist in the inventory</source>
        <translation>Strichcode ( %1 ) ist nicht im Bestand vorhanden</translation>
    </message>
    <message>
        <location line="+87"/>
        <source>Please enter valid product item code</source>
        <translation>Bitte einen gültigen Produktcode eingeben</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Please enter valid unit price of product item</source>
        <translation>Bitte einen gültigen Stückpreis eingeben</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Please enter valid order quantity</source>
        <translation>Bitte eine gültige Bestellmenge eingeben</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Please select vendor for this item</source>
        <translation>Bitte einen Lieferanten für diese Position auswählen</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Error occured while adding purchase item.</source>
        <translation>Fehler beim Hinzufügen der Bestellposition.</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+33"/>
        <location line="+16"/>
        <location line="+76"/>
        <source>Purchase order saved successfully.</source>
        <translation>Bestellung erfolgreich gespeichert.</translation>
    </message>
    <message>
        <location line="-101"/>
        <source>Error occured while deleting purchase item.</source>
        <translation>Fehler beim Löschen der Bestellposition.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Error occurred while saving purchase order.</source>
        <translation>Fehler beim Speichern der Bestellung.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Error occured while updating purchase item.</source>
        <translation>Fehler beim Aktualisieren der Bestellposition.</translation>
    </message>
    <message>
        <location line="+22"/>
        <location line="+24"/>
        <location line="+10"/>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export to inventory finished successfully</source>
        <translation>Übernahme in den Bestand erfolgreich abgeschlossen</translation>
    </message>
    <message>
        <location filename="../src/purchasing/addeditpurchaseorderprint.cpp" line="+1"/>
        <source>The purchase order template could not be loaded: %1</source>
        <translation>Die Bestellvorlage konnte nicht geladen werden: %1</translation>
    </message>
</context>
<context>
    <name>AuditLog</name>
    <message>
        <location filename="../src/data/auditlog.cpp" line="+143"/>
        <source>Sale deleted</source>
        <translation>Verkauf gelöscht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Purchase order deleted</source>
        <translation>Bestellung gelöscht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Item returned</source>
        <translation>Artikel zurückgegeben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Special discount</source>
        <translation>Sonderrabatt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Batch stock or price edited</source>
        <translation>Bestand oder Preis einer Charge geändert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open basket put back</source>
        <translation>Offener Warenkorb zurückgelegt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Basket line voided</source>
        <translation>Warenkorbzeile storniert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sale voided</source>
        <translation>Verkauf storniert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>User added</source>
        <translation>Benutzer hinzugefügt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>User changed</source>
        <translation>Benutzer geändert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>User removed</source>
        <translation>Benutzer entfernt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tax or currency settings changed</source>
        <translation>Steuer- oder Währungseinstellungen geändert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cash drawer opened without a sale</source>
        <translation>Kassenschublade ohne Verkauf geöffnet</translation>
    </message>
    <message>
        <location line="+117"/>
        <location line="+32"/>
        <source>The audit trail could not be read.</source>
        <translation>Das Prüfprotokoll konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <location line="-14"/>
        <location line="+20"/>
        <source>Audit entry %1 was removed.</source>
        <translation>Protokolleintrag %1 wurde entfernt.</translation>
    </message>
    <message>
        <location line="-18"/>
        <location line="+20"/>
        <source>Audit entry %1 was changed.</source>
        <translation>Protokolleintrag %1 wurde geändert.</translation>
    </message>
    <message>
        <location filename="../src/shell/configure_main.cpp" line="+37"/>
        <source>cannot be reached</source>
        <translation>nicht erreichbar</translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
        <source>%n entries, intact</source>
        <translation>
            <numerusform>%n Eintrag, unversehrt</numerusform>
            <numerusform>%n Einträge, unversehrt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AuditViewer</name>
    <message>
        <location filename="../src/reports/auditviewer.ui" line="+6"/>
        <source>Audit Trail</source>
        <translation>Prüfprotokoll</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Records</source>
        <translation>&amp;Einträge</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;User</source>
        <translation>&amp;Benutzer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Kind</source>
        <translation>&amp;Art</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Day</source>
        <translation>&amp;Tag</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Verify</source>
        <translation>&amp;Prüfen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/reports/auditviewer.cpp" line="+53"/>
        <source>Sales</source>
        <translation>Verkäufe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stock, purchases, users and settings</source>
        <translation>Bestand, Einkäufe, Benutzer und Einstellungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All kinds</source>
        <translation>Alle Arten</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Nr.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Table</source>
        <translation>Tabelle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Before</source>
        <translation>Vorher</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>After</source>
        <translation>Nachher</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>All users</source>
        <translation>Alle Benutzer</translation>
    </message>
    <message numerus="yes">
        <location line="+49"/>
        <source>The audit trail is intact: %n entries.</source>
        <translation>
            <numerusform>Das Prüfprotokoll ist unversehrt: %n Eintrag.</numerusform>
            <numerusform>Das Prüfprotokoll ist unversehrt: %n Einträge.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+11"/>
        <source>AUDIT TRAIL</source>
        <translation>PRÜFPROTOKOLL</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>The audit trail could not be printed.</source>
        <translation>Das Prüfprotokoll konnte nicht gedruckt werden.</translation>
    </message>
</context>
<context>
    <name>Backupdialog</name>
    <message>
        <location filename="../src/shell/backupdialog.ui" line="+6"/>
        <location line="+21"/>
        <location filename="../src/shell/backupdialog.cpp" line="+76"/>
        <location line="+2"/>
        <location line="+32"/>
        <location line="+14"/>
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <location line="-18"/>
        <source>Please select destination folder for backup</source>
        <translation>Bitte den Zielordner für die Sicherung auswählen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Select Folder...</source>
        <translation>Ordner auswählen...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Path to mysqldump.exe</source>
        <translation>Pfad zu mysqldump.exe</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Select...</source>
        <translation>Auswählen...</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/shell/backupdialog.cpp" line="-91"/>
        <source>Path to mysqldump</source>
        <translation>Pfad zu mysqldump</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Select EXE</source>
        <translation>EXE auswählen</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Path to mysqldump.exe is not correct.</source>
        <translation>Der Pfad zu mysqldump.exe ist nicht korrekt.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Path to mysqldump is not correct.</source>
        <translation>Der Pfad zu mysqldump ist nicht korrekt.</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Backup operation completed successfully</source>
        <translation>Sicherung erfolgreich abgeschlossen</translation>
    </message>
</context>
<context>
    <name>CAddNewItemsBatch</name>
    <message>
        <location filename="../src/catalogue/addnewitemsbatch.ui" line="+14"/>
        <source>Edit Inventory</source>
        <translation>Bestand bearbeiten</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Product Data</source>
        <translation>Produktdaten</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Product</source>
        <translation>Produkt</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Enter Product Code and hit Enter, or Press &amp;quot;Select Product&amp;quot; button and choose product from the products screen&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Produktcode eingeben und Eingabetaste drücken, oder „Produkt auswählen“ drücken und das Produkt in der Produktübersicht wählen&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Product code</source>
        <translation>Produktcode</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Select Product</source>
        <translation>Produkt auswählen</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Items Per Unit</source>
        <translation>Stück pro Einheit</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Tax Rate</source>
        <translation>Steuersatz</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Batch Data</source>
        <translation>Chargendaten</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Bar Code</source>
        <translation>Strichcode</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Enter Barcode for this batch of items&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Strichcode für diese Charge eingeben&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Use Product Code as Bar Code for Inventory</source>
        <translation>Produktcode als Strichcode für den Bestand verwenden</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Vendor *</source>
        <translation>Lieferant *</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Manage vendors</source>
        <translation>Lieferanten verwalten</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Purchase Price *</source>
        <translation>Einkaufspreis *</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+17"/>
        <source>0.00</source>
        <translation>0.00</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>Sale Price *</source>
        <translation>Verkaufspreis *</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Quantity *</source>
        <translation>Menge *</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Sub Items</source>
        <translation>Teilmengen</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+68"/>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <location line="-61"/>
        <source>Expiry Date</source>
        <translation>Ablaufdatum</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Batch Number</source>
        <translation>Chargennummer</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Storage Location</source>
        <translation>Lagerort</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Discount (%)</source>
        <translation>Rabatt (%)</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Show as POS button on Point of Sale Screen</source>
        <translation>Als Schaltfläche an der Kasse anzeigen</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Retrieve</source>
        <translation>Abrufen</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/catalogue/addnewitemsbatch.cpp" line="+75"/>
        <source>System error occurred. Could not find product with code ( %1 )</source>
        <translation>Systemfehler. Produkt mit Code ( %1 ) nicht gefunden</translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="+80"/>
        <source>Barcode already exists in inventory. Please choose some other code.</source>
        <translation>Dieser Strichcode ist bereits im Bestand vorhanden. Bitte einen anderen Code wählen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Error occurred while adding or updating the batch information.</source>
        <translation>Fehler beim Hinzufügen oder Aktualisieren der Chargendaten.</translation>
    </message>
</context>
<context>
    <name>CDBManager</name>
    <message>
        <location filename="../src/data/dbmanager.cpp" line="+46"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can not connect to &apos;%1&apos;</source>
        <translation>Keine Verbindung zu &apos;%1&apos; möglich</translation>
    </message>
    <message>
        <location line="+480"/>
        <source>Database</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The database &apos;%1&apos; was brought up to date by a newer release of Quillbox. Please install that release on this computer.</source>
        <translation>Die Datenbank &apos;%1&apos; wurde von einer neueren Version von Quillbox aktualisiert. Bitte installieren Sie diese Version auf diesem Computer.</translation>
    </message>
</context>
<context>
    <name>CItemTransactionsModel</name>
    <message>
        <location filename="../src/pos/itemtransactionsmodel.cpp" line="+8"/>
        <source>  Index  </source>
        <translation>  Nr.  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>              Product Name                 </source>
        <translation>              Produktname                 </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>     Items     </source>
        <translation>     Stück     </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>     Sub Items     </source>
        <translation>     Teilmengen     </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>     Price/Item     </source>
        <translation>     Preis/Stück     </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>   Discount     </source>
        <translation>   Rabatt     </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>  Line Total  </source>
        <translation>  Zeilensumme  </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PurchasePrice</source>
        <translation>Einkaufspreis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PurchaseTotal</source>
        <translation>Einkaufssumme</translation>
    </message>
</context>
<context>
    <name>CPOS</name>
    <message>
        <location filename="../src/pos/pos.ui" line="+14"/>
        <source>Point of Sale</source>
        <translation>Kasse</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Bar Code</source>
        <translation>Strichcode</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Barcode generated from the scanner will be pasted here. You can enter barcode manually and press F10, press Enter button on your keyboard, or press Enter button at the lower right corner.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Der Strichcode vom Scanner erscheint hier. Sie können den Strichcode auch von Hand eingeben und F10, die Eingabetaste der Tastatur oder die Eingabe-Schaltfläche unten rechts drücken.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Scan barcode</source>
        <translation>Strichcode scannen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>QLineEdit { font: bold 20px; min-height: 36px; }</source>
        <translation>QLineEdit { font: bold 20px; min-height: 36px; }</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Quantity</source>
        <translation>Menge</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Sub Quantity</source>
        <translation>Teilmenge</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+26"/>
        <location line="+134"/>
        <location line="+38"/>
        <location line="+41"/>
        <location line="+32"/>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <location line="-255"/>
        <source>Special discount</source>
        <translation>Sonderrabatt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Click here to enable or disable. Once this checkbox is selected, it will overwrite the discount value set at the inventory level, and the value in this box will be used for the purpose of discount calculations.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Zum Ein- oder Ausschalten hier klicken. Ist dieses Kästchen angekreuzt, ersetzt es den im Bestand hinterlegten Rabatt, und der Wert in diesem Feld wird für die Rabattberechnung verwendet.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Discount in percent (0 to 99.99) used while Special discount is checked.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Rabatt in Prozent (0 bis 99,99), gilt solange Sonderrabatt angekreuzt ist.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>On All Items</source>
        <translation>Auf alle Artikel</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>ENTER</source>
        <translation>EINGABE</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>F10</source>
        <translation>F10</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;After entering barcode, press this button or F10 to execute sales transaction.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Nach der Eingabe des Strichcodes diese Schaltfläche oder F10 drücken, um den Verkauf zu buchen.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>QPushButton { min-height: 64px; max-height: 90px; min-width: 100px; font: bold 18px; }</source>
        <translation>QPushButton { min-height: 64px; max-height: 90px; min-width: 100px; font: bold 18px; }</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>[F10]</source>
        <translation>[F10]</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>QTableView { background-color: rgb(255, 255, 127); alternate-background-color: rgb(245, 240, 150); color: black; font-size: 13px; selection-background-color: rgb(255, 160, 47); selection-color: black; }</source>
        <translation>QTableView { background-color: rgb(255, 255, 127); alternate-background-color: rgb(245, 240, 150); color: black; font-size: 13px; selection-background-color: rgb(255, 160, 47); selection-color: black; }</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>TOTAL</source>
        <translation>SUMME</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+38"/>
        <location line="+38"/>
        <location line="+35"/>
        <source>QLabel { font: bold 20px; }</source>
        <translation>QLabel { font: bold 20px; }</translation>
    </message>
    <message>
        <location line="-104"/>
        <source>QLineEdit { background-color: rgb(255, 70, 70); color: black; font: bold 20px; min-height: 36px; border: 2px solid #555; border-radius: 6px; }</source>
        <translation>QLineEdit { background-color: rgb(255, 70, 70); color: black; font: bold 20px; min-height: 36px; border: 2px solid #555; border-radius: 6px; }</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>TAX</source>
        <translation>STEUER</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>QLineEdit { background-color: white; color: black; font: bold 20px; min-height: 36px; border: 2px solid #555; border-radius: 6px; }</source>
        <translation>QLineEdit { background-color: white; color: black; font: bold 20px; min-height: 36px; border: 2px solid #555; border-radius: 6px; }</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>PAID</source>
        <translation>BEZAHLT</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>QLineEdit { background-color: rgb(80, 220, 100); color: black; font: bold 20px; min-height: 36px; border: 2px solid #555; border-radius: 6px; }</source>
        <translation>QLineEdit { background-color: rgb(80, 220, 100); color: black; font: bold 20px; min-height: 36px; border: 2px solid #555; border-radius: 6px; }</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>CHANGE</source>
        <translation>RÜCKGELD</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>QLineEdit { background-color: rgb(255, 255, 127); color: black; font: bold 20px; min-height: 36px; border: 2px solid #555; border-radius: 6px; }</source>
        <translation>QLineEdit { background-color: rgb(255, 255, 127); color: black; font: bold 20px; min-height: 36px; border: 2px solid #555; border-radius: 6px; }</translation>
    </message>
    <message>
        <location line="+88"/>
        <source>SHORTCUT
 KEYS</source>
        <translation>TASTEN-
 KÜRZEL</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+52"/>
        <location line="+32"/>
        <location line="+32"/>
        <location line="+73"/>
        <location line="+35"/>
        <location line="+35"/>
        <location line="+35"/>
        <source>QPushButton { min-height: 46px; max-height: 56px; min-width: 80px; font: bold 12px; } QPushButton:checked { background-color: rgb(255, 140, 0); color: black; border-color: #a65a00; }</source>
        <translation>QPushButton { min-height: 46px; max-height: 56px; min-width: 80px; font: bold 12px; } QPushButton:checked { background-color: rgb(255, 140, 0); color: black; border-color: #a65a00; }</translation>
    </message>
    <message>
        <location line="-282"/>
        <source>HELP</source>
        <translation>HILFE</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>[F1]</source>
        <translation>[F1]</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>NEW</source>
        <translation>NEU</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>F2</source>
        <translation>F2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Press this button or F2 to start a new sale.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Diese Schaltfläche oder F2 drücken, um einen neuen Verkauf zu beginnen.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>[F2]</source>
        <translation>[F2]</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>PRINT</source>
        <translation>DRUCKEN</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>F3</source>
        <translation>F3</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>[F3]</source>
        <translation>[F3]</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>PREVIEW</source>
        <translation>VORSCHAU</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>F4</source>
        <translation>F4</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>[F4]</source>
        <translation>[F4]</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>PAY</source>
        <translation>ZAHLEN</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>QPushButton { min-height: 46px; max-height: 56px; min-width: 80px; font: bold 12px; } QPushButton:checked { background-color: rgb(255, 140, 0); color: black; border-color: #a65a00; } QPushButton:enabled { background-color: rgb(34, 139, 34); color: white; border-color: #145214; font: bold 18px; }</source>
        <translation>QPushButton { min-height: 46px; max-height: 56px; min-width: 80px; font: bold 12px; } QPushButton:checked { background-color: rgb(255, 140, 0); color: black; border-color: #a65a00; } QPushButton:enabled { background-color: rgb(34, 139, 34); color: white; border-color: #145214; font: bold 18px; }</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>[F5]</source>
        <translation>[F5]</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>RETURN</source>
        <translation>RÜCKGABE</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>F6</source>
        <translation>F6</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Press this button or F6 to return items back to inventory. Press again to return to normal mode.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Diese Schaltfläche oder F6 drücken, um Artikel in den Bestand zurückzunehmen. Erneut drücken, um zum normalen Betrieb zurückzukehren.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>[F6]</source>
        <translation>[F6]</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>SEARCH</source>
        <translation>SUCHEN</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>F7</source>
        <translation>F7</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Press this button or F7 to search for products and barcodes, and select the desired product&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Diese Schaltfläche oder F7 drücken, um Produkte und Strichcodes zu suchen und das gewünschte Produkt auszuwählen&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>[F7]</source>
        <translation>[F7]</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>SALES</source>
        <translation>VERKÄUFE</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>F8</source>
        <translation>F8</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Press this button or F8 to view the sales&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Diese Schaltfläche oder F8 drücken, um die Verkäufe anzusehen&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>[F8]</source>
        <translation>[F8]</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>CUSTOMERS</source>
        <translation>KUNDEN</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>F9</source>
        <translation>F9</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>[F9]</source>
        <translation>[F9]</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>CLOSE</source>
        <translation>SCHLIESSEN</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;This will close Point of Sale and return to main application&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Schließt die Kasse und kehrt zum Hauptprogramm zurück&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>QPushButton { min-height: 46px; max-height: 56px; min-width: 80px; font: bold 12px; } QPushButton:checked { background-color: rgb(255, 140, 0); color: black; border-color: #a65a00; } QPushButton { background-color: rgb(160, 40, 40); color: white; border-color: #601010; }</source>
        <translation>QPushButton { min-height: 46px; max-height: 56px; min-width: 80px; font: bold 12px; } QPushButton:checked { background-color: rgb(255, 140, 0); color: black; border-color: #a65a00; } QPushButton { background-color: rgb(160, 40, 40); color: white; border-color: #601010; }</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Open Drawer</source>
        <translation>Schublade öffnen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Opens the cash drawer without a sale&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Öffnet die Kassenschublade ohne Verkauf&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Select product categories. This will filter the buttons according to selected category.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Produktkategorien auswählen. Die Schaltflächen werden nach der gewählten Kategorie gefiltert.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Page 0 of 0 </source>
        <translation>Seite 0 von 0 </translation>
    </message>
    <message>
        <location line="+15"/>
        <source>CPosButton { min-width: 30px; max-width: 150px; min-height: 30px; max-height: 150px; font-size: 10px; color: black; border: 1px solid #333; border-radius: 6px; padding: 0px; } CPosButton:disabled { color: #444; } QLabel { font-size: 10px; }</source>
        <translation>CPosButton { min-width: 30px; max-width: 150px; min-height: 30px; max-height: 150px; font-size: 10px; color: black; border: 1px solid #333; border-radius: 6px; padding: 0px; } CPosButton:disabled { color: #444; } QLabel { font-size: 10px; }</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Show All</source>
        <translation>Alle anzeigen</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Home</source>
        <translation>Pos1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;It will display all the buttons belongig to all categories&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Zeigt die Schaltflächen aller Kategorien an&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>PgDown</source>
        <translation>Bild ab</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>PgUp</source>
        <translation>Bild auf</translation>
    </message>
    <message>
        <location filename="../src/pos/pos.cpp" line="+37"/>
        <source>RETURN MODE: items entered now go back into stock.</source>
        <translation>RÜCKGABE: Jetzt eingegebene Artikel gehen in den Bestand zurück.</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>TOTAL %1</source>
        <translation>SUMME %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PAID %1</source>
        <translation>BEZAHLT %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CHANGE %1</source>
        <translation>RÜCKGELD %1</translation>
    </message>
    <message>
        <location filename="../src/pos/posbasket.cpp" line="+23"/>
        <source>This sale is paid: take items back in return mode.</source>
        <translation>Dieser Verkauf ist bezahlt: Artikel im Rückgabemodus zurücknehmen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Line voided: %1 is back in stock.</source>
        <translation>Zeile storniert: %1 ist wieder im Bestand.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Receipt saved as %1</source>
        <translation>Beleg gespeichert als %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sale voided: its items are back in stock.</source>
        <translation>Verkauf storniert: seine Artikel sind wieder im Bestand.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Unfinished sale</source>
        <translation>Unfertiger Verkauf</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>This till has an unfinished sale of %n line(s), last entered %1. Take it up again, or put its items back into stock?</source>
        <translation>
            <numerusform>Diese Kasse hat einen unfertigen Verkauf mit %n Position, zuletzt eingegeben %1. Wieder aufnehmen oder die Artikel in den Bestand zurücklegen?</numerusform>
            <numerusform>Diese Kasse hat einen unfertigen Verkauf mit %n Positionen, zuletzt eingegeben %1. Wieder aufnehmen oder die Artikel in den Bestand zurücklegen?</numerusform>
        </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Take up again</source>
        <translation>Wieder aufnehmen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Put back into stock</source>
        <translation>In den Bestand zurücklegen</translation>
    </message>
    <message>
        <location line="+306"/>
        <source>Void sale?</source>
        <translation>Verkauf stornieren?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Put every item of this sale back into stock and start a new sale?</source>
        <translation>Alle Artikel dieses Verkaufs in den Bestand zurücklegen und einen neuen Verkauf beginnen?</translation>
    </message>
    <message>
        <location filename="../src/pos/pos.cpp" line="+292"/>
        <location filename="../src/pos/posbasket.cpp" line="-161"/>
        <source>Cash Drawer</source>
        <translation>Kassenschublade</translation>
    </message>
    <message>
        <location filename="../src/pos/posbasket.cpp" line="+7"/>
        <source>Customer: %1</source>
        <translation>Kunde: %1</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Close POS?</source>
        <translation>Kasse schließen?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Payment is pending! If you close without payment, the items of this sale go back into stock. Do you still want to close POS?</source>
        <translation>Die Zahlung steht noch aus! Wenn Sie ohne Zahlung schließen, gehen die Artikel dieses Verkaufs in den Bestand zurück. Möchten Sie die Kasse trotzdem schließen?</translation>
    </message>
    <message>
        <location filename="../src/pos/pos.cpp" line="-92"/>
        <source>Select Customer</source>
        <translation>Kunde auswählen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Customer has been selected. Customer data will be printed on the large sales receipt and stored in database. Please press this button again to select another customer or deselect existing customer. Existing customer can be deselected by pressing Customers buttons, and then closing the Customers Dialog without selecting any customer.</source>
        <translation>Ein Kunde wurde ausgewählt. Die Kundendaten werden auf den großen Verkaufsbeleg gedruckt und in der Datenbank gespeichert. Drücken Sie diese Schaltfläche erneut, um einen anderen Kunden auszuwählen oder die Auswahl aufzuheben. Die Auswahl wird aufgehoben, wenn Sie „Kunden“ drücken und den Kundendialog schließen, ohne einen Kunden auszuwählen.</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Return Mode</source>
        <translation>Rückgabemodus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Now the system is in &quot;Items Return&quot; mode. On performing any sale, items will be added back to inventory. Please press it again to return to Normal mode. </source>
        <translation>Das System ist jetzt im Modus „Rückgabe“. Bei jedem Verkauf werden die Artikel wieder dem Bestand zugeführt. Drücken Sie die Schaltfläche erneut, um zum normalen Betrieb zurückzukehren. </translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Discount on All Items</source>
        <translation>Rabatt auf alle Artikel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Please make sure the check box is checked. Specail discount will be calculated on all items being sold. If there is any discount already set on the inventory, that will be overwritten by this value. Please press it again to disable this function.</source>
        <translation>Bitte achten Sie darauf, dass das Kästchen angekreuzt ist. Der Sonderrabatt wird auf alle verkauften Artikel berechnet. Ein im Bestand hinterlegter Rabatt wird durch diesen Wert ersetzt. Drücken Sie die Schaltfläche erneut, um diese Funktion abzuschalten.</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Shortcut Keys Help</source>
        <translation>Hilfe zu den Tastenkürzeln</translation>
    </message>
    <message>
        <location filename="../src/pos/pospanel.cpp" line="+46"/>
        <source>Category Page %1 of %2 </source>
        <translation>Kategorieseite %1 von %2 </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Page %1 of %2 </source>
        <translation>Seite %1 von %2 </translation>
    </message>
</context>
<context>
    <name>CashDrawer</name>
    <message>
        <location filename="../src/pos/cashdrawer.cpp" line="+29"/>
        <source>The cash drawer was opened, but the audit trail could not record it.</source>
        <translation>Die Kassenschublade wurde geöffnet, aber das Prüfprotokoll konnte es nicht festhalten.</translation>
    </message>
</context>
<context>
    <name>CashUp</name>
    <message>
        <location filename="../src/pos/cashupreport.cpp" line="+23"/>
        <source>Sales</source>
        <translation>Verkäufe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Returns</source>
        <translation>Rückgaben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Gross</source>
        <translation>Brutto</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Discounts</source>
        <translation>Rabatte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Net</source>
        <translation>Netto</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tax</source>
        <translation>Steuer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Total</source>
        <translation>Summe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Expected cash</source>
        <translation>Erwartetes Bargeld</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Counted cash</source>
        <translation>Gezähltes Bargeld</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Difference</source>
        <translation>Differenz</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>All cashiers</source>
        <translation>Alle Kassierer</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 x %2</source>
        <translation>%1 x %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>CASH-UP</source>
        <translation>KASSENABSCHLUSS</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cashier:</source>
        <translation>Kassierer:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Period:</source>
        <translation>Zeitraum:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Closed:</source>
        <translation>Abgeschlossen:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 by %2</source>
        <translation>%1 durch %2</translation>
    </message>
</context>
<context>
    <name>CashUpDialog</name>
    <message>
        <location filename="../src/pos/cashupdialog.ui" line="+6"/>
        <source>Cash Up</source>
        <translation>Kassenabschluss</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Cas&amp;hier</source>
        <translation>&amp;Kassierer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Since the last cash-up</source>
        <translation>&amp;Seit dem letzten Kassenabschluss</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Day</source>
        <translation>&amp;Tag</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>C&amp;ounted cash</source>
        <translation>&amp;Gezähltes Bargeld</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../src/pos/cashupdialog.cpp" line="+40"/>
        <source>Difference</source>
        <translation>Differenz</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Close &amp;Cash-Up</source>
        <translation>Kassenabschluss &amp;durchführen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Count by de&amp;nomination</source>
        <translation>Nach Stückelung zä&amp;hlen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Clear co&amp;unts</source>
        <translation>Zählung &amp;leeren</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Past cash-ups</source>
        <translation>&amp;Frühere Kassenabschlüsse</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Reprint</source>
        <translation>&amp;Erneut drucken</translation>
    </message>
    <message>
        <location filename="../src/pos/cashupdialog.cpp" line="-2"/>
        <source>Closed</source>
        <translation>Abgeschlossen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>By</source>
        <translation>Durch</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cashier</source>
        <translation>Kassierer</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Expected</source>
        <translation>Erwartet</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Counted</source>
        <translation>Gezählt</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>All cashiers</source>
        <translation>Alle Kassierer</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Denomination</source>
        <translation>Stückelung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Amount</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Please enter a whole number of notes or coins.</source>
        <translation>Bitte eine ganze Zahl an Scheinen oder Münzen eingeben.</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>The sales could not be read.</source>
        <translation>Die Verkäufe konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Please enter the counted cash, for example 250.50.</source>
        <translation>Bitte das gezählte Bargeld eingeben, zum Beispiel 250.50.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>This period has already been cashed up.</source>
        <translation>Für diesen Zeitraum wurde bereits ein Kassenabschluss gemacht.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The cash-up could not be stored.</source>
        <translation>Der Kassenabschluss konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cash-up closed.</source>
        <translation>Kassenabschluss durchgeführt.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Cash-up closed. It could not be printed; reprint it from the list.</source>
        <translation>Kassenabschluss durchgeführt. Er konnte nicht gedruckt werden; drucken Sie ihn aus der Liste erneut.</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Please select a cash-up to reprint.</source>
        <translation>Bitte einen Kassenabschluss zum erneuten Drucken auswählen.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The cash-up could not be printed.</source>
        <translation>Der Kassenabschluss konnte nicht gedruckt werden.</translation>
    </message>
</context>
<context>
    <name>DocumentFiles</name>
    <message>
        <location filename="../src/data/documentfiles.cpp" line="+94"/>
        <source>Saved as %1</source>
        <translation>Gespeichert als %1</translation>
    </message>
</context>
<context>
    <name>ErrorDialog</name>
    <message>
        <location filename="../src/widgets/errordialog.ui" line="+6"/>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Do not show this message again</source>
        <translation>Diese Meldung nicht mehr anzeigen</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>EscPos</name>
    <message>
        <location filename="../src/pos/escpos.cpp" line="+303"/>
        <source>Thank you for doing business with us</source>
        <translation>Vielen Dank für Ihren Einkauf</translation>
    </message>
</context>
<context>
    <name>EscPosPrinter</name>
    <message>
        <location filename="../src/pos/escposprinter.cpp" line="+25"/>
        <source>The receipt printer %1 cannot be reached: %2</source>
        <translation>Der Belegdrucker %1 ist nicht erreichbar: %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The receipt printer %1 reports that it is out of paper.</source>
        <translation>Der Belegdrucker %1 meldet, dass das Papier zu Ende ist.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The receipt printer %1 did not take the whole receipt: %2</source>
        <translation>Der Belegdrucker %1 hat nicht den ganzen Beleg angenommen: %2</translation>
    </message>
    <message>
        <location line="+132"/>
        <source>No ESC/POS receipt printer is set up. Please enter its device file or network address in the printer settings.</source>
        <translation>Es ist kein ESC/POS-Belegdrucker eingerichtet. Bitte geben Sie seine Gerätedatei oder Netzwerkadresse in den Druckereinstellungen ein.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The receipt printer &quot;%1&quot; is not a device file or a network address (host:port). Please correct it in the printer settings.</source>
        <translation>Der Belegdrucker „%1“ ist weder eine Gerätedatei noch eine Netzwerkadresse (host:port). Bitte korrigieren Sie ihn in den Druckereinstellungen.</translation>
    </message>
</context>
<context>
    <name>ExpiryDelegate</name>
    <message>
        <location filename="../src/catalogue/expirydelegate.cpp" line="+25"/>
        <source>%1 (expired)</source>
        <translation>%1 (abgelaufen)</translation>
    </message>
</context>
<context>
    <name>HomeScreen</name>
    <message>
        <location filename="../src/reports/homescreen.ui" line="+6"/>
        <source>Home</source>
        <translation>Pos1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quick Access</source>
        <translation>Schnellzugriff</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Databases</source>
        <translation>Datenbanken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add Categories</source>
        <translation>Kategorien hinzufügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add Products</source>
        <translation>Produkte hinzufügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add Inventory</source>
        <translation>Bestand hinzufügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Purchase Order</source>
        <translation>Bestellung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Users</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vendors</source>
        <translation>Lieferanten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Customers</source>
        <translation>Kunden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Overview</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>COMPANY NAME</source>
        <translation>FIRMENNAME</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <location line="-21"/>
        <source>CURRENCY SYMBOL</source>
        <translation>WÄHRUNGSSYMBOL</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SALES TAX RATE (A)</source>
        <translation>UMSATZSTEUERSATZ (A)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SALES TAX NAME</source>
        <translation>NAME DER UMSATZSTEUER</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>TOTAL PRODUCTS</source>
        <translation>PRODUKTE GESAMT</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>TOTAL INVENTORY ITEMS</source>
        <translation>BESTANDSARTIKEL GESAMT</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>TOTAL VENDORS</source>
        <translation>LIEFERANTEN GESAMT</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>TOTAL CUSTOMERS</source>
        <translation>KUNDEN GESAMT</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>CURRENT USER</source>
        <translation>AKTUELLER BENUTZER</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PURCHASED INVENTORY</source>
        <translation>EINGEKAUFTER BESTAND</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>YESTERDAY SALES</source>
        <translation>VERKÄUFE GESTERN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Last 7 DAYS SALES</source>
        <translation>VERKÄUFE DER LETZTEN 7 TAGE</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Workflow</source>
        <translation>Arbeitsablauf</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>STEP 1

ADD CATEGORY</source>
        <translation>SCHRITT 1

KATEGORIE HINZUFÜGEN</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>STEP 2

 ADD PRODUCT</source>
        <translation>SCHRITT 2

 PRODUKT HINZUFÜGEN</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>STEP 3

ADD VENDOR</source>
        <translation>SCHRITT 3

LIEFERANT HINZUFÜGEN</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>STEP 4

ADD INVENTORY</source>
        <translation>SCHRITT 4

BESTAND HINZUFÜGEN</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>STEP 5

RUN POS</source>
        <translation>SCHRITT 5

KASSE STARTEN</translation>
    </message>
    <message>
        <location filename="../src/reports/homefigures.cpp" line="+15"/>
        <source>NOT AVAILABLE</source>
        <translation>NICHT VERFÜGBAR</translation>
    </message>
</context>
<context>
    <name>InventoryManagement</name>
    <message>
        <location filename="../src/catalogue/inventorymanagement.ui" line="+14"/>
        <location line="+13"/>
        <source>Inventory</source>
        <translation>Bestand</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Add New...</source>
        <translation>Neu hinzufügen...</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Show All</source>
        <translation>Alle anzeigen</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+32"/>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="-26"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+13"/>
        <location filename="../src/catalogue/inventorymanagement.cpp" line="+33"/>
        <source>Bar Code</source>
        <translation>Strichcode</translation>
    </message>
    <message>
        <location line="+93"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/catalogue/inventorymanagement.cpp" line="+1"/>
        <source>Batch Number</source>
        <translation>Chargennummer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Product</source>
        <translation>Produkt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vendor</source>
        <translation>Lieferant</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Expiry</source>
        <translation>Ablauf</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Storage Location</source>
        <translation>Lagerort</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quantity</source>
        <translation>Menge</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sub Quantity/Items</source>
        <translation>Teilmenge/Stück</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Purchase Price</source>
        <translation>Einkaufspreis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sale Price</source>
        <translation>Verkaufspreis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Product Code</source>
        <translation>Produktcode</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>PLEASE DOUBLE CLICK TABLE ROW TO SELECT THE PRODUCT AND BARCODE</source>
        <translation>BITTE ZEILE DOPPELT ANKLICKEN, UM PRODUKT UND STRICHCODE AUSZUWÄHLEN</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Select Batch</source>
        <translation>Charge auswählen</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Delete Inventory Item</source>
        <translation>Bestandsartikel löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Do you really want to delete this stock item?</source>
        <translation>Möchten Sie diesen Bestandsartikel wirklich löschen?</translation>
    </message>
</context>
<context>
    <name>LoginDialog</name>
    <message>
        <location filename="../src/shell/logindialog.ui" line="+6"/>
        <location line="+30"/>
        <source>Login</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <location line="-26"/>
        <source>User Name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Server Connection</source>
        <translation>Serververbindung</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Add New...</source>
        <translation>Neu hinzufügen...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../src/shell/logindialog.cpp" line="+49"/>
        <source>Please enter valid User Name or Password (</source>
        <translation>Bitte gültigen Benutzernamen oder gültiges Passwort eingeben (</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Login failed. Please try again (</source>
        <translation>Anmeldung fehlgeschlagen. Bitte erneut versuchen (</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/shell/mainwindow.ui" line="+6"/>
        <source>Quillbox (Pro)</source>
        <translation>Quillbox (Pro)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;User</source>
        <translation>&amp;Benutzer</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Products</source>
        <translation>&amp;Produkte</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Import</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>P&amp;urchase</source>
        <translation>&amp;Einkauf</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Sales</source>
        <translation>&amp;Verkauf</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Inventory</source>
        <translation>&amp;Bestand</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Export</source>
        <translation>E&amp;xport</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Reports</source>
        <translation>&amp;Berichte</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Main</source>
        <translation>Haupt</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Tools</source>
        <translation>Extras</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Inventory</source>
        <translation>Bestand</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Products</source>
        <translation>Produkte</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Purchase</source>
        <translation>Einkauf</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+16"/>
        <source>Navigator</source>
        <translation>Navigator</translation>
    </message>
    <message>
        <location line="+16"/>
        <location filename="../src/shell/mainwindow.cpp" line="+133"/>
        <source>Inventory DB
CONNECTED</source>
        <translation>Bestands-DB
VERBUNDEN</translation>
    </message>
    <message>
        <location line="+7"/>
        <location filename="../src/shell/mainwindow.cpp" line="+5"/>
        <source>Sales DB
CONNECTED</source>
        <translation>Verkaufs-DB
VERBUNDEN</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Product Management</source>
        <translation>Produktverwaltung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Inventory Management</source>
        <translation>Bestandsverwaltung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Purchase Management</source>
        <translation>Einkaufsverwaltung</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../src/shell/mainwindowactions.cpp" line="+45"/>
        <source>Point of Sale</source>
        <translation>Kasse</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Sales Management</source>
        <translation>Verkaufsverwaltung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Reports</source>
        <translation>Berichte</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>&amp;Login</source>
        <translation>&amp;Anmelden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Login</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>L&amp;ogout</source>
        <translation>A&amp;bmelden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Home...</source>
        <translation>&amp;Start...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Lanuch POS...</source>
        <translation>&amp;Kasse starten...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Manage Products</source>
        <translation>&amp;Produkte verwalten</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Add New Product...</source>
        <translation>&amp;Neues Produkt hinzufügen...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Import with &amp;Codes...</source>
        <translation>Import mit &amp;Codes...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Import without Codes...</source>
        <translation>&amp;Import ohne Codes...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Manage Inventory</source>
        <translation>&amp;Bestand verwalten</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Add New Batch...</source>
        <translation>&amp;Neue Charge hinzufügen...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Abandoned &amp;Baskets...</source>
        <translation>Abgebrochene &amp;Warenkörbe...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Normal Export...</source>
        <translation>&amp;Normaler Export...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Export for Scanner...</source>
        <translation>&amp;Export für Scanner...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Manage Purchase</source>
        <translation>&amp;Einkauf verwalten</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Add New Purchase Order</source>
        <translation>&amp;Neue Bestellung hinzufügen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Cash Up</source>
        <translation>&amp;Kassenabschluss</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Audit Trail</source>
        <translation>&amp;Prüfprotokoll</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Manage Sales</source>
        <translation>Verkäufe verwalten</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Reports Management</source>
        <translation>&amp;Berichtsverwaltung</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Manage &amp;Users...</source>
        <translation>&amp;Benutzer verwalten...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Manage &amp;Categories...</source>
        <translation>&amp;Kategorien verwalten...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Manage &amp;Vendors...</source>
        <translation>&amp;Lieferanten verwalten...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Manage Cus&amp;tomers...</source>
        <translation>Kun&amp;den verwalten...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Settings...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Backup...</source>
        <translation>&amp;Sicherung...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Databases...</source>
        <translation>&amp;Datenbanken...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;MySQL Server...</source>
        <translation>&amp;MySQL-Server...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Hide Navigator</source>
        <translation>Navigator &amp;ausblenden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Show Navigator</source>
        <translation>Navigator &amp;einblenden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Light Theme</source>
        <translation>&amp;Helles Design</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Dark Theme</source>
        <translation>&amp;Dunkles Design</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>About &amp;Quillbox (Pro)...</source>
        <translation>Über &amp;Quillbox (Pro)...</translation>
    </message>
    <message>
        <location filename="../src/shell/mainwindow.cpp" line="-4"/>
        <source>Inventory DB
DISCONNECTED</source>
        <translation>Bestands-DB
GETRENNT</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Sales DB
DISCONNECTED</source>
        <translation>Verkaufs-DB
GETRENNT</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Server: %1</source>
        <translation>Server: %1</translation>
    </message>
    <message>
        <location filename="../src/shell/mainwindowsession.cpp" line="+128"/>
        <source>Login/Lgout</source>
        <translation>Anmelden/Abmelden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No Inventory Database Active. Please Create a new database, or select already existing database from &quot;Databases&quot; option</source>
        <translation>Keine Bestandsdatenbank aktiv. Bitte eine neue Datenbank anlegen oder eine vorhandene Datenbank unter „Datenbanken“ auswählen</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+9"/>
        <source>Login/Logout</source>
        <translation>Anmelden/Abmelden</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>The user accounts could not be read from the inventory database. Please make sure the MySql server is running and try Login again.</source>
        <translation>Die Benutzerkonten konnten nicht aus der Bestandsdatenbank gelesen werden. Bitte prüfen Sie, ob der MySql-Server läuft, und melden Sie sich erneut an.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Login is disabled at the moment as no &apos;ADMIN&apos; user exists. Please add &apos;ADMIN&apos; user from the Users dialog to enable this function.</source>
        <translation>Die Anmeldung ist zurzeit abgeschaltet, da kein Benutzer &apos;ADMIN&apos; existiert. Bitte legen Sie im Benutzerdialog einen Benutzer &apos;ADMIN&apos; an, um diese Funktion einzuschalten.</translation>
    </message>
    <message>
        <location filename="../src/shell/mainwindowactions.cpp" line="+13"/>
        <source>Log Out</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The sale screen is closed. Do you want to log out?</source>
        <translation>Die Kasse ist geschlossen. Möchten Sie sich abmelden?</translation>
    </message>
    <message>
        <location line="+183"/>
        <location line="+11"/>
        <source>Inventory Export</source>
        <translation>Bestandsexport</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>This is normal data export mode. Inventory data will be exported to CSV text file. You can open this file in Excel, or some other program and generate barcodes in Excel, Word or your program of choice.</source>
        <translation>Dies ist der normale Datenexport. Die Bestandsdaten werden in eine CSV-Textdatei exportiert. Sie können diese Datei in Excel oder einem anderen Programm öffnen und dort, in Word oder einem Programm Ihrer Wahl Strichcodes erzeugen.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Inventory data will be exported to CSV text file. You can open this file in Excel, or some other program and generate barcodes in Excel, Word or your program of choice. This function will export barcodes which are compatible with barcode scanners.</source>
        <translation>Die Bestandsdaten werden in eine CSV-Textdatei exportiert. Sie können diese Datei in Excel oder einem anderen Programm öffnen und dort, in Word oder einem Programm Ihrer Wahl Strichcodes erzeugen. Diese Funktion exportiert Strichcodes, die mit Strichcode-Scannern verträglich sind.</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+10"/>
        <source>Inventory Import</source>
        <translation>Bestandsimport</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>Inventory data will be imported from CSV text file. Data should be in the form of
&lt;product category&gt;,&lt;product name&gt;,&lt;barcode&gt;
 on each line.</source>
        <translation>Die Bestandsdaten werden aus einer CSV-Textdatei importiert. Jede Zeile muss die Form
&lt;Produktkategorie&gt;,&lt;Produktname&gt;,&lt;Strichcode&gt;
 haben.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Inventory data will be imported from CSV text file. Data should be in the form of
&lt;product category&gt;,&lt;product name&gt;
 on each line.</source>
        <translation>Die Bestandsdaten werden aus einer CSV-Textdatei importiert. Jede Zeile muss die Form
&lt;Produktkategorie&gt;,&lt;Produktname&gt;
 haben.</translation>
    </message>
</context>
<context>
    <name>ManageCategories</name>
    <message>
        <location filename="../src/parties/managecategories.ui" line="+14"/>
        <source>Manage Categories</source>
        <translation>Kategorien verwalten</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Category Name</source>
        <translation>Kategoriename</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Type a category name</source>
        <translation>Einen Kategorienamen eingeben</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/parties/managecategories.cpp" line="+29"/>
        <source>Product Categories</source>
        <translation>Produktkategorien</translation>
    </message>
    <message>
        <location line="+89"/>
        <location line="+36"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="-35"/>
        <source>Category can not be deleted because products exist for this category in the system</source>
        <translation>Die Kategorie kann nicht gelöscht werden, da es Produkte in dieser Kategorie gibt</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Category already exists in the system</source>
        <translation>Die Kategorie ist bereits vorhanden</translation>
    </message>
</context>
<context>
    <name>ManageCustomers</name>
    <message>
        <location filename="../src/parties/managecustomers.ui" line="+14"/>
        <source>Manage Customers</source>
        <translation>Kunden verwalten</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Name, address, e-mail or contact</source>
        <translation>Name, Adresse, E-Mail oder Kontakt</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Filter Results</source>
        <translation>Ergebnisse filtern</translation>
    </message>
</context>
<context>
    <name>ManageDatabases</name>
    <message>
        <location filename="../src/shell/managedatabases.ui" line="+6"/>
        <source>Create Databases</source>
        <translation>Datenbanken anlegen</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Active Sales Database</source>
        <translation>Aktive Verkaufsdatenbank</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Create New Sales Database</source>
        <translation>Neue Verkaufsdatenbank anlegen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enter Existing Sales Database</source>
        <translation>Vorhandene Verkaufsdatenbank eingeben</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Active Inventory Database</source>
        <translation>Aktive Bestandsdatenbank</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Create New Inventory Database</source>
        <translation>Neue Bestandsdatenbank anlegen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enter Existing Inventory Database</source>
        <translation>Vorhandene Bestandsdatenbank eingeben</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Schema Changes</source>
        <translation>Schemaänderungen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Step</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Applied</source>
        <translation>Angewendet</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Duration (ms)</source>
        <translation>Dauer (ms)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Bring Up To Date</source>
        <translation>Auf den neuesten Stand bringen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/shell/managedatabases.cpp" line="+47"/>
        <source>Inventory database</source>
        <translation>Bestandsdatenbank</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sales database</source>
        <translation>Verkaufsdatenbank</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 &apos;%2&apos;: cannot be read (%3)</source>
        <translation>%1 &apos;%2&apos;: nicht lesbar (%3)</translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%1 &apos;%2&apos;: %n step(s) applied</source>
        <translation>
            <numerusform>%1 &apos;%2&apos;: %n Schritt angewendet</numerusform>
            <numerusform>%1 &apos;%2&apos;: %n Schritte angewendet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>, %n pending</source>
        <translation>
            <numerusform>, %n ausstehend</numerusform>
            <numerusform>, %n ausstehend</numerusform>
        </translation>
    </message>
    <message>
        <location line="+14"/>
        <source>pending: copies tables</source>
        <translation>ausstehend: kopiert Tabellen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>pending</source>
        <translation>ausstehend</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>made by a newer release</source>
        <translation>von einer neueren Version angelegt</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Both databases are up to date.</source>
        <translation>Beide Datenbanken sind auf dem neuesten Stand.</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n step(s) pending.</source>
        <translation>
            <numerusform>%n Schritt ausstehend.</numerusform>
            <numerusform>%n Schritte ausstehend.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+74"/>
        <source>No Active Sales Database</source>
        <translation>Keine aktive Verkaufsdatenbank</translation>
    </message>
    <message>
        <location line="-73"/>
        <location line="+57"/>
        <source>No Active Inventory Database</source>
        <translation>Keine aktive Bestandsdatenbank</translation>
    </message>
    <message>
        <location line="-47"/>
        <location line="+7"/>
        <location line="+11"/>
        <location line="+8"/>
        <source>Database Error</source>
        <translation>Datenbankfehler</translation>
    </message>
    <message>
        <location line="-26"/>
        <location line="+18"/>
        <source>Can not connect to MySql Server.</source>
        <translation>Keine Verbindung zum MySql-Server möglich.</translation>
    </message>
    <message>
        <location line="-13"/>
        <location line="+18"/>
        <source>Database</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <location line="-18"/>
        <source>New Sales Database opened successfully</source>
        <translation>Neue Verkaufsdatenbank erfolgreich geöffnet</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The new Sales Database could not be created. The active database is unchanged.</source>
        <translation>Die neue Verkaufsdatenbank konnte nicht angelegt werden. Die aktive Datenbank ist unverändert.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>New Inventory Database opened successfully</source>
        <translation>Neue Bestandsdatenbank erfolgreich geöffnet</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The new Inventory Database could not be created. The active database is unchanged.</source>
        <translation>Die neue Bestandsdatenbank konnte nicht angelegt werden. Die aktive Datenbank ist unverändert.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Enter Database Name</source>
        <translation>Datenbanknamen eingeben</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+7"/>
        <source>Inventory Database</source>
        <translation>Bestandsdatenbank</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+16"/>
        <source>Seems like this is not a valid database for this version. Enter name of the database, and make sure the MySql server is running.</source>
        <translation>Dies scheint keine gültige Datenbank für diese Version zu sein. Geben Sie den Namen der Datenbank ein und prüfen Sie, ob der MySql-Server läuft.</translation>
    </message>
    <message>
        <location line="-8"/>
        <location line="+7"/>
        <source>Sales Database</source>
        <translation>Verkaufsdatenbank</translation>
    </message>
</context>
<context>
    <name>ManageUsers</name>
    <message>
        <location filename="../src/shell/manageusers.ui" line="+6"/>
        <source>Manage Users</source>
        <translation>Benutzer verwalten</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>First Name</source>
        <translation>Vorname</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Last Name</source>
        <translation>Nachname</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Login Name</source>
        <translation>Anmeldename</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Role</source>
        <translation>Rolle</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../src/shell/manageusers.cpp" line="+132"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Repeat Password</source>
        <translation>Passwort wiederholen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/shell/manageusers.cpp" line="-10"/>
        <location line="+4"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Password does not match with the &apos;Repeat Password&apos;. Please double check the value.</source>
        <translation>Das Passwort stimmt nicht mit „Passwort wiederholen“ überein. Bitte prüfen Sie die Eingabe.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Please make a note of your password. In the next 
 LOGIN session you would need to enter this password.</source>
        <translation>Bitte notieren Sie sich Ihr Passwort. Bei der nächsten 
 ANMELDUNG müssen Sie dieses Passwort eingeben.</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Please enter valid data in all input boxes</source>
        <translation>Bitte in alle Eingabefelder gültige Daten eingeben</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Add User</source>
        <translation>Benutzer hinzufügen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>This user can not be added to system</source>
        <translation>Dieser Benutzer kann nicht hinzugefügt werden</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Please enter valid data in all input boxes.</source>
        <translation>Bitte in alle Eingabefelder gültige Daten eingeben.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Update User</source>
        <translation>Benutzer aktualisieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This user can not be updated in the system</source>
        <translation>Dieser Benutzer kann nicht aktualisiert werden</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+9"/>
        <source>Delete User</source>
        <translation>Benutzer löschen</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>Are you sure you want to remove this user from system?</source>
        <translation>Möchten Sie diesen Benutzer wirklich entfernen?</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>This user can not be removed from the system</source>
        <translation>Dieser Benutzer kann nicht entfernt werden</translation>
    </message>
</context>
<context>
    <name>ManageVendors</name>
    <message>
        <location filename="../src/parties/managevendors.ui" line="+14"/>
        <source>Manage Vendors</source>
        <translation>Lieferanten verwalten</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Name, address, e-mail or contact</source>
        <translation>Name, Adresse, E-Mail oder Kontakt</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Filter Results</source>
        <translation>Ergebnisse filtern</translation>
    </message>
    <message>
        <location filename="../src/parties/managevendors.cpp" line="+77"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can not delete this vendor as sotck Items exist from this vendor.</source>
        <translation>Dieser Lieferant kann nicht gelöscht werden, da es Bestand von diesem Lieferanten gibt.</translation>
    </message>
</context>
<context>
    <name>ManagementReports</name>
    <message>
        <location filename="../src/reports/managementreports.cpp" line="+86"/>
        <source>ITEMS HAVING STOCK LEVEL LESS THAN (</source>
        <translation>ARTIKEL MIT BESTAND UNTER (</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>EXPIRING ITEMS IN (%1) DAYS REPORT</source>
        <translation>BERICHT ÜBER IN (%1) TAGEN ABLAUFENDE ARTIKEL</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>OUT OF STOCK ITEMS REPORT</source>
        <translation>BERICHT ÜBER AUSVERKAUFTE ARTIKEL</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>SALES &amp; PURCHASE COST REPORT (LAST 7 DAYS)</source>
        <translation>VERKAUFS- UND EINKAUFSKOSTENBERICHT (LETZTE 7 TAGE)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SALES &amp; PURCHASE COST REPORT (LAST 30 DAYS)</source>
        <translation>VERKAUFS- UND EINKAUFSKOSTENBERICHT (LETZTE 30 TAGE)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>SALES &amp; PURCHASE COST REPORT FROM </source>
        <translation>VERKAUFS- UND EINKAUFSKOSTENBERICHT VOM </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> TO </source>
        <translation> BIS </translation>
    </message>
    <message>
        <location line="+98"/>
        <source>RESULTS GROUPED BY PRODUCT</source>
        <translation>ERGEBNISSE NACH PRODUKT GRUPPIERT</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>RESULTS GROUPED BY CUSTOMER</source>
        <translation>ERGEBNISSE NACH KUNDE GRUPPIERT</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>RESULTS GROUPED BY USER</source>
        <translation>ERGEBNISSE NACH BENUTZER GRUPPIERT</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>RESULTS GROUPED BY DATE</source>
        <translation>ERGEBNISSE NACH DATUM GRUPPIERT</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Total Sales : </source>
        <translation>Verkäufe gesamt : </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Total Purchase : </source>
        <translation>Einkauf gesamt : </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Total Profit : </source>
        <translation>Gewinn gesamt : </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Total Discount : </source>
        <translation>Rabatt gesamt : </translation>
    </message>
</context>
<context>
    <name>POSSettings</name>
    <message>
        <location filename="../src/pos/possettings.ui" line="+12"/>
        <source>POS Buttons</source>
        <translation>Kassenschaltflächen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Number of Rows</source>
        <translation>Anzahl der Zeilen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Number of Columns</source>
        <translation>Anzahl der Spalten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please specify number of rows and columns of buttons on the Point of Sale screen

Min Value of Rows &amp; Columns : 1
Max Value of Rows &amp; Columns : 8</source>
        <translation>Bitte die Anzahl der Zeilen und Spalten der Schaltflächen an der Kasse angeben

Kleinster Wert für Zeilen und Spalten: 1
Größter Wert für Zeilen und Spalten: 8</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Expiry Guard</source>
        <translation>Ablaufwächter</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Expired batches at the till</source>
        <translation>Abgelaufene Chargen an der Kasse</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Warn this many days before expiry</source>
        <translation>So viele Tage vor Ablauf warnen</translation>
    </message>
    <message>
        <location filename="../src/pos/possettings.cpp" line="+18"/>
        <source>Sell without a word</source>
        <translation>Ohne Hinweis verkaufen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sell and warn</source>
        <translation>Verkaufen und warnen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Refuse expired batches</source>
        <translation>Abgelaufene Chargen ablehnen</translation>
    </message>
</context>
<context>
    <name>PrinterSettings</name>
    <message>
        <location filename="../src/pos/printersettings.ui" line="+12"/>
        <source>Select Default Receipt and Report Printers</source>
        <translation>Standarddrucker für Belege und Berichte auswählen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Receipt / Ticket Printer</source>
        <translation>Beleg-/Bondrucker</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+3"/>
        <source>Print to PDF</source>
        <translation>Als PDF drucken</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Report Printer</source>
        <translation>Berichtsdrucker</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Receipt/Ticket Page Settings</source>
        <translation>Seiteneinstellungen für Beleg/Bon</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Paper Width [mm]</source>
        <translation>Papierbreite [mm]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Paper Height [mm]</source>
        <translation>Papierhöhe [mm]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Margin Left [mm]</source>
        <translation>Rand links [mm]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Margin Top [mm]</source>
        <translation>Rand oben [mm]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Margin Right [mm]</source>
        <translation>Rand rechts [mm]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Margin Bottom [mm]</source>
        <translation>Rand unten [mm]</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+2"/>
        <source>Receipt Printer Kind</source>
        <translation>Art des Belegdruckers</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Device or Address</source>
        <translation>Gerät oder Adresse</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>/dev/usb/lp0 or host:9100</source>
        <translation>/dev/usb/lp0 oder host:9100</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paper Width [characters]</source>
        <translation>Papierbreite [Zeichen]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Code Page</source>
        <translation>Codepage</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cut after print</source>
        <translation>Nach dem Druck abschneiden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open the cash drawer on cash payment</source>
        <translation>Kassenschublade bei Barzahlung öffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Drawer Pin</source>
        <translation>Schubladen-Pin</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pulse On [ms]</source>
        <translation>Impuls an [ms]</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pulse Off [ms]</source>
        <translation>Impuls aus [ms]</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Logo Settings on Ticket or Small Receipt</source>
        <translation>Logo-Einstellungen für Bon oder kleinen Beleg</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Print logo</source>
        <translation>Logo drucken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Logo Size</source>
        <translation>Logogröße</translation>
    </message>
    <message>
        <location filename="../src/pos/printersettings.cpp" line="+66"/>
        <source>Printer queue</source>
        <translation>Druckerwarteschlange</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ESC/POS</source>
        <translation>ESC/POS</translation>
    </message>
</context>
<context>
    <name>ProductManagement</name>
    <message>
        <location filename="../src/catalogue/productmanagement.ui" line="+14"/>
        <location line="+13"/>
        <source>Products</source>
        <translation>Produkte</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Add New...</source>
        <translation>Neu hinzufügen...</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Show All</source>
        <translation>Alle anzeigen</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+32"/>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="-26"/>
        <location filename="../src/catalogue/productmanagement.cpp" line="+32"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Product (Code or Bar Code)</source>
        <translation>Produkt (Code oder Strichcode)</translation>
    </message>
    <message>
        <location line="+129"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/catalogue/productmanagement.cpp" line="-2"/>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Items Per Unit</source>
        <translation>Stück pro Einheit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tax rate</source>
        <translation>Steuersatz</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>PLEASE DOUBLE CLICK TABLE ROW TO SELECT THE PRODUCT</source>
        <translation>BITTE ZEILE DOPPELT ANKLICKEN, UM DAS PRODUKT AUSZUWÄHLEN</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Select Product</source>
        <translation>Produkt auswählen</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>Delete Product</source>
        <translation>Produkt löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Do you really want to delete this product?</source>
        <translation>Möchten Sie dieses Produkt wirklich löschen?</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can not delete this product because inventory might exist against this product.</source>
        <translation>Dieses Produkt kann nicht gelöscht werden, da möglicherweise Bestand dafür existiert.</translation>
    </message>
</context>
<context>
    <name>ProductTransferFlow</name>
    <message>
        <location filename="../src/shell/producttransferflow.cpp" line="+61"/>
        <location line="+5"/>
        <location line="+5"/>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>Inventory data exported successfully to file %1</source>
        <translation>Bestandsdaten erfolgreich in die Datei %1 exportiert</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Error occurred while exporting data.</source>
        <translation>Fehler beim Exportieren der Daten.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Could not write the file %1.</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Data Files (*.txt *.csv)</source>
        <translation>Datendateien (*.txt *.csv)</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+8"/>
        <location line="+21"/>
        <location line="+2"/>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <location line="-30"/>
        <source>Could not read the file %1.</source>
        <translation>Die Datei %1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Please wait...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <location filename="../src/widgets/progress.cpp" line="+12"/>
        <source>Please wait...</source>
        <translation>Bitte warten...</translation>
    </message>
</context>
<context>
    <name>PurchaseManagement</name>
    <message>
        <location filename="../src/purchasing/purchasemanagement.ui" line="+14"/>
        <source>Manage Purchase</source>
        <translation>Einkauf verwalten</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Add New...</source>
        <translation>Neu hinzufügen...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <location line="+10"/>
        <location filename="../src/purchasing/purchasemanagement.cpp" line="+84"/>
        <location line="+5"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Show All</source>
        <translation>Alle anzeigen</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+26"/>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="-20"/>
        <source>Vendor Name</source>
        <translation>Lieferantenname</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Purchase Orders</source>
        <translation>Bestellungen</translation>
    </message>
    <message>
        <location filename="../src/purchasing/purchasemanagement.cpp" line="-4"/>
        <source>Do you really want to delete this purchase order?</source>
        <translation>Möchten Sie diese Bestellung wirklich löschen?</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The purchase order could not be deleted.</source>
        <translation>Die Bestellung konnte nicht gelöscht werden.</translation>
    </message>
</context>
<context>
    <name>Receipt</name>
    <message>
        <location filename="../src/pos/receipt.cpp" line="+60"/>
        <source>Receipt Preview</source>
        <translation>Belegvorschau</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Receipt</source>
        <translation>Beleg</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The receipt template could not be loaded.</source>
        <translation>Die Belegvorlage konnte nicht geladen werden.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Receipt Printer</source>
        <translation>Belegdrucker</translation>
    </message>
    <message>
        <location line="+177"/>
        <source>Change due %1</source>
        <translation>Rückgeld %1</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Customer: %1</source>
        <translation>Kunde: %1</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Print to PDF</source>
        <translation>Als PDF drucken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Please change Receipt/Ticket Printer settings from Settings dialog. Currently it is configured to print to PDF file. Please make sure Adobe Reader is installed, which is required to view the PDF receipt.</source>
        <translation>Bitte ändern Sie die Einstellungen des Beleg-/Bondruckers im Einstellungsdialog. Zurzeit druckt er in eine PDF-Datei. Bitte stellen Sie sicher, dass ein PDF-Betrachter installiert ist, um den PDF-Beleg anzusehen.</translation>
    </message>
</context>
<context>
    <name>ReportEngine</name>
    <message>
        <location filename="../src/reports/reportengine.cpp" line="+115"/>
        <source>Please change Report Printer settings from Settings dialog. Currently it is configured to print to PDF file.</source>
        <translation>Bitte ändern Sie die Einstellungen des Berichtsdruckers im Einstellungsdialog. Zurzeit druckt er in eine PDF-Datei.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please change Receipt/Ticket Printer settings from Settings dialog. Currently it is configured to print to PDF file.</source>
        <translation>Bitte ändern Sie die Einstellungen des Beleg-/Bondruckers im Einstellungsdialog. Zurzeit druckt er in eine PDF-Datei.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Print to PDF</source>
        <translation>Als PDF drucken</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>&amp;Close...</source>
        <translation>&amp;Schließen...</translation>
    </message>
</context>
<context>
    <name>ReportParameterDialog</name>
    <message>
        <location filename="../src/widgets/reportparameterdialog.ui" line="+6"/>
        <source>Report Parameter</source>
        <translation>Berichtsparameter</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+11"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Start Date</source>
        <translation>Anfangsdatum</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>End Date</source>
        <translation>Enddatum</translation>
    </message>
</context>
<context>
    <name>ReportViewer</name>
    <message>
        <location filename="../src/reports/reportviewer.ui" line="+6"/>
        <location filename="../src/reports/reportviewer.cpp" line="+124"/>
        <location line="+13"/>
        <source>Report Viewer</source>
        <translation>Berichtsanzeige</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Total Sales</source>
        <translation>Verkäufe gesamt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Total Discount</source>
        <translation>Rabatt gesamt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Total Profit</source>
        <translation>Gewinn gesamt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Total Purchase Cost</source>
        <translation>Einkaufskosten gesamt</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Results Group By</source>
        <translation>Ergebnisse gruppieren nach</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Product</source>
        <translation>Produkt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Customer</source>
        <translation>Kunde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/reports/reportviewer.cpp" line="+114"/>
        <location line="+17"/>
        <source>Print to PDF</source>
        <translation>Als PDF drucken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/reports/reportviewer.cpp" line="-143"/>
        <source>The totals could not be computed.

</source>
        <translation>Die Summen konnten nicht berechnet werden.

</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The report could not be run.

</source>
        <translation>Der Bericht konnte nicht ausgeführt werden.

</translation>
    </message>
    <message>
        <location line="+114"/>
        <source>Please change Report Printer settings from Settings dialog. Currently it is configured to print to PDF file.</source>
        <translation>Bitte ändern Sie die Einstellungen des Berichtsdruckers im Einstellungsdialog. Zurzeit druckt er in eine PDF-Datei.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The report could not be written to %1.</source>
        <translation>Der Bericht konnte nicht nach %1 geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>ReportsManagement</name>
    <message>
        <location filename="../src/reports/reportsmanagement.ui" line="+6"/>
        <source>Reports</source>
        <translation>Berichte</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Inventory Reports</source>
        <translation>Bestandsberichte</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Products Expiring in Near Future</source>
        <translation>Produkte, die bald ablaufen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Products Low in Stock</source>
        <translation>Produkte mit geringem Bestand</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Out of Stock Products</source>
        <translation>Ausverkaufte Produkte</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>View Inventory Report</source>
        <translation>Bestandsbericht anzeigen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Sales Reports</source>
        <translation>Verkaufsberichte</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sales Report for Last 7 Days</source>
        <translation>Verkaufsbericht der letzten 7 Tage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sales Report for Last 30 Days</source>
        <translation>Verkaufsbericht der letzten 30 Tage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sales Report for Specific Date Range</source>
        <translation>Verkaufsbericht für einen Zeitraum</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>View Sales Report</source>
        <translation>Verkaufsbericht anzeigen</translation>
    </message>
    <message>
        <location filename="../src/reports/reportsmanagement.cpp" line="+34"/>
        <source>Report Parameter</source>
        <translation>Berichtsparameter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Please enter the %1 as a whole number, for example 10. The report was not run.</source>
        <translation>Bitte geben Sie %1 als ganze Zahl ein, zum Beispiel 10. Der Bericht wurde nicht ausgeführt.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Low Items Threshold</source>
        <translation>Schwelle für geringen Bestand</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Expiration Value in Days</source>
        <translation>Ablauf in Tagen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Expiry Date</source>
        <translation>Ablaufdatum</translation>
    </message>
</context>
<context>
    <name>SaleRules</name>
    <message>
        <location filename="../src/pos/salerules.cpp" line="+197"/>
        <source>its text holds characters the sales database cannot store</source>
        <translation>sein Text enthält Zeichen, die die Verkaufsdatenbank nicht speichern kann</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a value is too long for the sales database</source>
        <translation>ein Wert ist zu lang für die Verkaufsdatenbank</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1: line %2 (%3) was refused: %4</source>
        <translation>%1: Zeile %2 (%3) wurde abgelehnt: %4</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>This batch expired on %1. It was not added.</source>
        <translation>Diese Charge ist am %1 abgelaufen. Sie wurde nicht hinzugefügt.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>This batch expired on %1.</source>
        <translation>Diese Charge ist am %1 abgelaufen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>This batch expires on %1.</source>
        <translation>Diese Charge läuft am %1 ab.</translation>
    </message>
</context>
<context>
    <name>SalesManagement</name>
    <message>
        <location filename="../src/pos/salesmanagement.ui" line="+14"/>
        <location line="+13"/>
        <location line="+103"/>
        <location filename="../src/pos/salesmanagement.cpp" line="+110"/>
        <source>Sales</source>
        <translation>Verkäufe</translation>
    </message>
    <message>
        <location line="-91"/>
        <source>Add New...</source>
        <translation>Neu hinzufügen...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Show All</source>
        <translation>Alle anzeigen</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+36"/>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="-30"/>
        <source>Sales/Receipt Number</source>
        <translation>Verkaufs-/Belegnummer</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location line="+61"/>
        <source>Sales Details</source>
        <translation>Verkaufsdetails</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/pos/salesmanagement.cpp" line="-31"/>
        <source>Reprint Receipt</source>
        <translation>Beleg erneut drucken</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Print the chosen sale&apos;s receipt again (Ctrl+P)</source>
        <translation>Den Beleg des gewählten Verkaufs erneut drucken (Strg+P)</translation>
    </message>
    <message>
        <location line="+94"/>
        <source>Sale Details</source>
        <translation>Verkaufsdetails</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Please click on &apos;Sales Details&apos; tab to view details of this sale. All individual items are listed on this tab. You can double click on the row to go directly to details page as well. </source>
        <translation>Bitte klicken Sie auf den Reiter „Verkaufsdetails“, um die Details dieses Verkaufs anzusehen. Dort sind alle einzelnen Artikel aufgeführt. Sie können auch eine Zeile doppelt anklicken, um direkt zur Detailseite zu gelangen. </translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Choose a sale first, then reprint its receipt.</source>
        <translation>Bitte zuerst einen Verkauf wählen, dann seinen Beleg erneut drucken.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Receipt saved as %1</source>
        <translation>Beleg gespeichert als %1</translation>
    </message>
    <message>
        <location line="+20"/>
        <location line="+6"/>
        <location line="+7"/>
        <source>Delete Sale</source>
        <translation>Verkauf löschen</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>Please select row from sales table, and then press delete.</source>
        <translation>Bitte eine Zeile in der Verkaufstabelle auswählen und dann Löschen drücken.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Do you really want to delete this sale and associated details?</source>
        <translation>Möchten Sie diesen Verkauf und die zugehörigen Details wirklich löschen?</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The sale could not be deleted. Nothing was changed.</source>
        <translation>Der Verkauf konnte nicht gelöscht werden. Nichts wurde geändert.</translation>
    </message>
</context>
<context>
    <name>SchemaUpgradeFlow</name>
    <message>
        <location filename="../src/shell/schemaupgradeflow.cpp" line="+31"/>
        <source>inventory database</source>
        <translation>Bestandsdatenbank</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>sales database</source>
        <translation>Verkaufsdatenbank</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The folder %1 cannot be created.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The server&apos;s dump tool was not found.</source>
        <translation>Das Sicherungsprogramm des Servers wurde nicht gefunden.</translation>
    </message>
    <message>
        <location line="+49"/>
        <location line="+137"/>
        <location line="+16"/>
        <location line="+9"/>
        <location line="+7"/>
        <source>Database Upgrade</source>
        <translation>Datenbankaktualisierung</translation>
    </message>
    <message>
        <location line="-164"/>
        <source>Bringing the %1 up to date...</source>
        <translation>Die %1 wird auf den neuesten Stand gebracht...</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Bringing the %1 up to date: step %2 of %3...</source>
        <translation>Die %1 wird auf den neuesten Stand gebracht: Schritt %2 von %3...</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Step %1 of the %2 failed: %3</source>
        <translation>Schritt %1 der %2 ist fehlgeschlagen: %3</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Another computer is bringing the %1 up to date; try again later.</source>
        <translation>Ein anderer Computer bringt die %1 gerade auf den neuesten Stand; bitte später erneut versuchen.</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>less than a minute</source>
        <translation>weniger als eine Minute</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>about %n minute(s)</source>
        <translation>
            <numerusform>etwa %n Minute</numerusform>
            <numerusform>etwa %n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <location line="+21"/>
        <source>%1 in the %2 (%3 rows)</source>
        <translation>%1 in der %2 (%3 Zeilen)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>This release stores any text, emoji included, and needs these tables copied to do so:

%1

While they are copied, roughly %2, the tills cannot sell. A backup of both databases is written first.

Bring the databases up to date now?</source>
        <translation>Diese Version speichert jeden Text, Emoji eingeschlossen, und muss dazu diese Tabellen kopieren:

%1

Während sie kopiert werden, etwa %2, können die Kassen nicht verkaufen. Vorher wird eine Sicherung beider Datenbanken geschrieben.

Die Datenbanken jetzt auf den neuesten Stand bringen?</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Writing a backup...</source>
        <translation>Sicherung wird geschrieben...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The backup failed, so nothing was changed.

%1</source>
        <translation>Die Sicherung ist fehlgeschlagen, daher wurde nichts geändert.

%1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1

The steps done before are recorded; the database can be used as it is. The backup is in %2.</source>
        <translation>%1

Die vorher erledigten Schritte sind festgehalten; die Datenbank kann so verwendet werden. Die Sicherung liegt in %2.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The databases are up to date. The backup is in %1.</source>
        <translation>Die Datenbanken sind auf dem neuesten Stand. Die Sicherung liegt in %1.</translation>
    </message>
</context>
<context>
    <name>ServerSettingsDialog</name>
    <message>
        <location filename="../src/shell/serversettingsdialog.ui" line="+6"/>
        <source>Server Settings</source>
        <translation>Servereinstellungen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>MySQL Database Server Connection</source>
        <translation>Verbindung zum MySQL-Datenbankserver</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Connection Name</source>
        <translation>Verbindungsname</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Server Address</source>
        <translation>Serveradresse</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Server Port</source>
        <translation>Serverport</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>User Name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show Password</source>
        <translation>Passwort anzeigen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Test</source>
        <translation>Testen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../src/shell/serversettingsdialog.cpp" line="+60"/>
        <location line="+3"/>
        <source>Server Connection</source>
        <translation>Serververbindung</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Connection to server SUCCEEDED!</source>
        <translation>Verbindung zum Server ERFOLGREICH!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Connection to server FAILED!. Please check all parameters.</source>
        <translation>Verbindung zum Server FEHLGESCHLAGEN! Bitte alle Angaben prüfen.</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <location filename="../src/shell/settings.ui" line="+6"/>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>General Settings</source>
        <translation>Allgemeine Einstellungen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Sub Items Mode</source>
        <translation>Teilmengenmodus</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enable Sub Items Mode</source>
        <translation>Teilmengenmodus einschalten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>What is this?</source>
        <translation>Was ist das?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enable this option if you want to sell and manage sub quantities. This mode is useful if you want to sell in deonminations. For example 500g out of pack of 1000g, or one bottle out of a pack of six bottles.</source>
        <translation>Schalten Sie diese Option ein, wenn Sie Teilmengen verkaufen und verwalten möchten. Dieser Modus ist nützlich, wenn Sie in kleineren Einheiten verkaufen, zum Beispiel 500 g aus einer Packung mit 1000 g oder eine Flasche aus einem Sechserpack.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>MySql Server</source>
        <translation>MySql-Server</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Databases</source>
        <translation>Datenbanken</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Date Format</source>
        <translation>Datumsformat</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Currency Symbol</source>
        <translation>Währungssymbol</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Sales Receipt Size</source>
        <translation>Belegformat</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Large Size (e.g. A4)</source>
        <translation>Groß (z. B. A4)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Smalle Receipt/Ticket Size </source>
        <translation>Kleiner Beleg/Bon </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(Select appropriate Receipt Printer under Printer Settings)</source>
        <translation>(Passenden Belegdrucker unter Druckereinstellungen auswählen)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Display Theme</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dark Theme</source>
        <translation>Dunkles Design</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Light Theme</source>
        <translation>Helles Design</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Product Images Folder</source>
        <translation>Ordner für Produktbilder</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+19"/>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <location line="-11"/>
        <source>Company Settings</source>
        <translation>Firmeneinstellungen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Please enter the details of your business or company in the following fields. This information will be printed on sales receipts and reports geneted by the system.</source>
        <translation>Bitte geben Sie die Angaben zu Ihrem Geschäft oder Ihrer Firma in die folgenden Felder ein. Sie werden auf Belege und vom System erstellte Berichte gedruckt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Company Name</source>
        <translation>Firmenname</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Company Address</source>
        <translation>Firmenadresse</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Phone Number</source>
        <translation>Telefonnummer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Company Logo</source>
        <translation>Firmenlogo</translation>
    </message>
    <message>
        <location filename="../src/shell/settings.cpp" line="+149"/>
        <source>Select Product Image</source>
        <translation>Produktbild auswählen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Image Files (*.png *.jpg *.bmp)</source>
        <translation>Bilddateien (*.png *.jpg *.bmp)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Sub Items Help</source>
        <translation>Hilfe zum Teilmengenmodus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This mode is useful when you want to sell individual items or small custom quantities. For example, if you are buying a pack of six bottles, and want to sell one bottle each. If this mode is enabled then the price for one bottle will be calcualted automatically. Another example would be selling items which require price calculation from weight. For example you can add the  price of 1Kg of sugar in the system. If this mode is enabled then price of any weight of sugar will be calculated  automatically by the system.</source>
        <translation>Dieser Modus ist nützlich, wenn Sie einzelne Artikel oder kleine, freie Mengen verkaufen möchten. Zum Beispiel kaufen Sie einen Sechserpack Flaschen ein und verkaufen jede Flasche einzeln; ist dieser Modus eingeschaltet, wird der Preis einer Flasche automatisch berechnet. Ein anderes Beispiel sind Artikel, deren Preis sich aus dem Gewicht ergibt: Sie erfassen den Preis für 1 kg Zucker, und das System berechnet den Preis für jedes Gewicht automatisch.</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Product Images</source>
        <translation>Produktbilder</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Please place all of the product images in this folder. Copy this folder to each computer or device running Quillbox Pro, and set this field pointing to tis folder on each computer or device.</source>
        <translation>Bitte legen Sie alle Produktbilder in diesen Ordner. Kopieren Sie den Ordner auf jeden Computer oder jedes Gerät, auf dem Quillbox Pro läuft, und lassen Sie dieses Feld dort jeweils auf den Ordner zeigen.</translation>
    </message>
</context>
<context>
    <name>ShopDetailsDialog</name>
    <message>
        <location filename="../src/shell/shopdetailsdialog.cpp" line="+17"/>
        <source>Your Shop</source>
        <translation>Ihr Geschäft</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Receipts and purchase orders print your shop&apos;s name and address. You can change them later under Settings, Company Settings.</source>
        <translation>Belege und Bestellungen tragen Name und Anschrift Ihres Geschäfts. Sie können sie später unter Einstellungen, Firmeneinstellungen ändern.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Shop name</source>
        <translation>Name des Geschäfts</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Address</source>
        <translation>Anschrift</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Later</source>
        <translation>Später</translation>
    </message>
</context>
<context>
    <name>TaxSettings</name>
    <message>
        <location filename="../src/shell/taxsettings.ui" line="+12"/>
        <source>Tax Rates</source>
        <translation>Steuersätze</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Define multiple tax rates and assign to different product tax categories</source>
        <translation>Mehrere Steuersätze festlegen und verschiedenen Steuerkategorien der Produkte zuordnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tax Rate-A (%)</source>
        <translation>Steuersatz A (%)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tax Rate-B (%)</source>
        <translation>Steuersatz B (%)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tax Rate-C (%)</source>
        <translation>Steuersatz C (%)</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+2"/>
        <source>Sales Tax Name</source>
        <translation>Name der Umsatzsteuer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Example: VAT, GST, Tax</source>
        <translation>Beispiel: MwSt, USt, Steuer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;i&gt;Set according to local sales tax conventions. This will displayed on receipts&lt;/i&gt;</source>
        <translation>&lt;i&gt;Nach den örtlichen Gepflogenheiten festlegen. Dies erscheint auf den Belegen&lt;/i&gt;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Enable / Disable</source>
        <translation>Ein / Aus</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&lt;i&gt;Click here to disable or enable sales tax calculations&lt;/i&gt;</source>
        <translation>&lt;i&gt;Hier klicken, um die Steuerberechnung aus- oder einzuschalten&lt;/i&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enable sales tax calculations</source>
        <translation>Steuerberechnung einschalten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>If tax is disabled no tax information will be shown on receipts or reports.</source>
        <translation>Ist die Steuer ausgeschaltet, erscheinen keine Steuerangaben auf Belegen oder Berichten.</translation>
    </message>
    <message>
        <location filename="../src/shell/taxsettings.cpp" line="+40"/>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tax rate %1 is invalid. Please enter numeric (0 to 99.99) value.</source>
        <translation>Steuersatz %1 ist ungültig. Bitte einen Zahlenwert (0 bis 99.99) eingeben.</translation>
    </message>
</context>
<context>
    <name>VersionWebServiceClient</name>
    <message>
        <location filename="../src/shell/versionwebserviceclient.cpp" line="+72"/>
        <source>New Version</source>
        <translation>Neue Version</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Latest version ( %1 ) is available for download. Do you want to download it now?</source>
        <translation>Die neueste Version ( %1 ) steht zum Herunterladen bereit. Möchten Sie sie jetzt herunterladen?</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Version Check</source>
        <translation>Versionsprüfung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>You have a latest version of %1</source>
        <translation>Sie haben die neueste Version von %1</translation>
    </message>
</context>
<context>
    <name>WelcomeDialog</name>
    <message>
        <location filename="../src/shell/welcomedialog.ui" line="+6"/>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Please do not show me welcome and settings dialogs  again at startup</source>
        <translation>Begrüßung und Einstellungsdialoge beim Start nicht mehr anzeigen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../src/shell/main.cpp" line="+53"/>
        <source>Point of sale and stock keeping for small shops.</source>
        <translation>Kassen- und Warenwirtschaftsprogramm für kleine Läden.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Open the demo pharmacy (settings and databases of its own).</source>
        <translation>Die Demo-Apotheke öffnen (mit eigenen Einstellungen und Datenbanken).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Size of a new demo shop: small or large.</source>
        <translation>Größe eines neuen Demo-Ladens: small oder large.</translation>
    </message>
</context>
</TS>
