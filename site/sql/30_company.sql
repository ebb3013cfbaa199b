-- Company groups: example airport groups
INSERT INTO "カンパニー" ("順位","id","route") VALUES (1,'TOKYO','RJTT RJAA RJTK RJTF');
INSERT INTO "カンパニー" ("順位","id","route") VALUES (2,'KANSAI','RJBB RJOO RJBE RJOY');
