# Windows packaging: the NSIS installer and the portable ZIP.
